#include "editors/DspFileGroupEditor.h"

#include "dsp/DspExceptions.h"
#include "dsp/DspSimpleEntries.h"

namespace {

const char kFolderNotFound[] = "Dsp folder not found.";
const char kFileNotFound[] = "Target file now found.";

int KindOf(const CDspFileEntry* child) {
  if (dynamic_cast<const CDspTargetFolder*>(child) != NULL) return CDspFileGroupEditor::childFolder;
  if (dynamic_cast<const CDspTargetFile*>(child) != NULL) return CDspFileGroupEditor::childFile;
  if (dynamic_cast<const CDspTargetDefaultFilter*>(child) != NULL) return CDspFileGroupEditor::childDefaultFilter;
  return CDspFileGroupEditor::childOther;
}

}  // namespace

// --- CDspFileGroupEditor --------------------------------------------------------------------

CDspFileGroupEditor::CDspFileGroupEditor() {}
CDspFileGroupEditor::~CDspFileGroupEditor() {}

int CDspFileGroupEditor::GetCount() const { return GetContainer().GetCount(); }
const CDspFileEntry* CDspFileGroupEditor::GetChildAt(int index) const { return GetContainer().GetAt(index); }
CDspFileEntry* CDspFileGroupEditor::GetChildAt(int index) { return GetContainer().GetAt(index); }
void CDspFileGroupEditor::MoveChild(int from, int to) { GetContainer().Move(from, to); }
void CDspFileGroupEditor::InsertChild(CDspFileEntry* entry, int index) { entry->InsertInto(GetContainer(), index); }

int CDspFileGroupEditor::GetChildKind(int index) const { return KindOf(GetChildAt(index)); }

bool CDspFileGroupEditor::HasFoldersOrFiles() const {
  for (int i = 0; i < GetCount(); ++i) {
    const int kind = GetChildKind(i);
    if (kind == childFolder || kind == childFile) return true;
  }
  return false;
}

CDspTargetFolder& CDspFileGroupEditor::FolderAt(int index) {
  CDspTargetFolder* folder = dynamic_cast<CDspTargetFolder*>(GetChildAt(index));
  if (folder == NULL) throw new TQ::CAppWizException(kFolderNotFound, TRUE);
  return *folder;
}

CDspTargetFile& CDspFileGroupEditor::FileAt(int index) {
  CDspTargetFile* file = dynamic_cast<CDspTargetFile*>(GetChildAt(index));
  if (file == NULL) throw new TQ::CAppWizException(kFileNotFound, TRUE);
  return *file;
}

CDspFolderEditor& CDspFileGroupEditor::EditorOf(CDspTargetFolder& folder) {
  std::unique_ptr<CDspFolderEditor>& editor = m_folderEditors[&folder];
  if (editor == nullptr) editor = std::make_unique<CDspFolderEditor>(folder);
  return *editor;
}

CDspTargetFileEditor& CDspFileGroupEditor::EditorOf(CDspTargetFile& file) {
  std::unique_ptr<CDspTargetFileEditor>& editor = m_fileEditors[&file];
  if (editor == nullptr) editor = std::make_unique<CDspTargetFileEditor>(file);
  return *editor;
}

CDspFolderEditor& CDspFileGroupEditor::GetFolderEditor(int index) { return EditorOf(FolderAt(index)); }
CDspTargetFileEditor& CDspFileGroupEditor::GetFileEditor(int index) { return EditorOf(FileAt(index)); }

// A child the reader kept as read is no folder: the lookup makes no entry of it.
bool CDspFileGroupEditor::HasFolder(const CString& name, int* index) const {
  for (int i = 0; i < GetCount(); ++i) {
    const CDspTargetFolder* folder = dynamic_cast<const CDspTargetFolder*>(GetContainer().GetMadeAt(i));
    if (folder != NULL && folder->GetName() == name) {
      if (index != NULL) *index = i;
      return true;
    }
  }
  return false;
}

bool CDspFileGroupEditor::HasFile(const CString& path, int* index) const {
  const int found = GetContainer().FindSourceFile(path);
  if (found >= 0 && index != NULL) *index = found;
  return found >= 0;
}

CDspFolderEditor& CDspFileGroupEditor::AddFolder(const CString& name, const CString& filter, int index,
                                                 bool moveIfPresent) {
  int found = -1;
  if (HasFolder(name, &found)) {
    CDspTargetFolder& folder = FolderAt(found);
    const bool alreadyLast = index == -1 && found == GetCount() - 1;
    if (moveIfPresent && index != found && !alreadyLast) MoveChild(found, index);
    return EditorOf(folder);
  }
  auto folder = std::make_unique<CDspTargetFolder>(name);
  (new CDspFileUnknownEntry(CString()))->InsertInto(*folder, -1);
  (new CDspTargetDefaultFilter(filter))->InsertInto(*folder, -1);
  CDspTargetFolder& added = *folder;
  InsertChild(folder.release(), index);
  return EditorOf(added);
}

CDspTargetFileEditor& CDspFileGroupEditor::AddFile(const CString& path, int index, bool moveIfPresent) {
  int found = -1;
  if (HasFile(path, &found)) {
    CDspTargetFile& file = FileAt(found);
    const bool alreadyLast = index == -1 && found == GetCount() - 1;
    if (moveIfPresent && index != found && !alreadyLast) MoveChild(found, index);
    return EditorOf(file);
  }
  auto file = std::make_unique<CDspTargetFile>();
  (new CDspFileUnknownEntry(CString()))->InsertInto(*file, -1);
  (new CDspSourceFileSourceEntry(path))->InsertInto(*file, -1);
  CDspTargetFile& added = *file;
  InsertChild(file.release(), index);
  return EditorOf(added);
}

void CDspFileGroupEditor::RemoveFolderAt(int index) {
  CDspTargetFolder& folder = FolderAt(index);
  m_folderEditors.erase(&folder);
  folder.RemoveFrom(GetContainer());
}

void CDspFileGroupEditor::RemoveFileAt(int index) {
  CDspTargetFile& file = FileAt(index);
  m_fileEditors.erase(&file);
  file.RemoveFrom(GetContainer());
}

void CDspFileGroupEditor::RemoveFolder(const CString& name) {
  int index = -1;
  if (HasFolder(name, &index)) RemoveFolderAt(index);
}

void CDspFileGroupEditor::RemoveFile(const CString& path) {
  int index = -1;
  if (HasFile(path, &index)) RemoveFileAt(index);
}

// --- CDspFolderEditor -----------------------------------------------------------------------

CDspFolderEditor::CDspFolderEditor(CDspTargetFolder& folder) : m_folder(folder) {}
CDspFolderEditor::~CDspFolderEditor() {}

// --- CDspTopLevelFileGroupEditor ------------------------------------------------------------

CDspTopLevelFileGroupEditor::CDspTopLevelFileGroupEditor(CDspTarget& target) : m_target(target) {}
CDspTopLevelFileGroupEditor::~CDspTopLevelFileGroupEditor() {}

CDspFileEntryContainer& CDspTopLevelFileGroupEditor::GetContainer() { return *m_target.GetFolderProxy(); }

// An empty proxy writes nothing, so making it on a read changes no text.
const CDspFileEntryContainer& CDspTopLevelFileGroupEditor::GetContainer() const {
  return *m_target.GetFolderProxy();
}

bool CDspTopLevelFileGroupEditor::GetFirstGroupPosition(int* index) const {
  for (int i = 0; i < m_target.GetCount(); ++i) {
    const int kind = KindOf(m_target.GetAt(i));
    if (kind == childFolder || kind == childFile || kind == childDefaultFilter) {
      if (index != NULL) *index = i;
      return true;
    }
  }
  return false;
}
