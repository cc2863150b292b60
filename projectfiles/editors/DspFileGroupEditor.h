// The editors of the target's groups: the top level (the target itself) and each "# Begin Group"
// folder. They find, add, move and remove the folders and source files of their group.
//
// Sub-editors are cached by the model object they edit, not by child index: an index shifts when
// a child is added, moved or removed, the object does not. Removing a child through its group
// editor deletes the child's editor with it.
#pragma once

#include <map>
#include <memory>

#include "dsp/DspTarget.h"
#include "dsp/DspTargetFolder.h"
#include "editors/DspTargetFileEditor.h"

class CDspFolderEditor;

class CDspFileGroupEditor {
 public:
  // What a child of the group is.
  enum ChildKind { childFolder = 0, childFile = 1, childDefaultFilter = 2, childOther = 3 };

  CDspFileGroupEditor();
  virtual ~CDspFileGroupEditor();

  virtual int GetCount() const;
  // Index checks throw TQ::CTqIndexException; -1 is the last child.
  virtual int GetChildKind(int index) const;
  virtual bool HasFoldersOrFiles() const;

  // Child `index` must be a folder: "Dsp folder not found." otherwise.
  virtual CDspFolderEditor& GetFolderEditor(int index);
  // The folder named `name`: when present, moved to `index` if `moveIfPresent` (index -1: to the
  // end, unless it is already last); when absent, a new folder holding an empty line and the
  // default filter, inserted at `index` (-1 appends). Returns the folder's editor.
  virtual CDspFolderEditor& AddFolder(const CString& name, const CString& filter, int index, bool moveIfPresent);
  // The first child folder with that name, exact and case-sensitive.
  virtual bool HasFolder(const CString& name, int* index = NULL) const;
  virtual void RemoveFolderAt(int index);
  virtual void RemoveFolder(const CString& name);  // nothing when absent

  // Child `index` must be a source file: "Target file now found." otherwise.
  virtual CDspTargetFileEditor& GetFileEditor(int index);
  // As AddFolder, for the source file whose SOURCE path is `path`; a new one reads
  // "# Begin Source File", an empty line, "SOURCE=<path>", "# End Source File".
  virtual CDspTargetFileEditor& AddFile(const CString& path, int index, bool moveIfPresent);
  virtual bool HasFile(const CString& path, int* index = NULL) const;
  virtual void RemoveFileAt(int index);
  virtual void RemoveFile(const CString& path);  // nothing when absent

  virtual CDspFileEntryContainer& GetContainer() = 0;
  virtual const CDspFileEntryContainer& GetContainer() const = 0;
  virtual const CDspFileEntry* GetChildAt(int index) const;
  virtual CDspFileEntry* GetChildAt(int index);
  virtual void MoveChild(int from, int to);
  // Hands the entry to the group's container (which owns it from then on) at `index`.
  virtual void InsertChild(CDspFileEntry* entry, int index);

  CDspFileGroupEditor(const CDspFileGroupEditor&) = delete;
  CDspFileGroupEditor& operator=(const CDspFileGroupEditor&) = delete;

 private:
  CDspTargetFolder& FolderAt(int index);
  CDspTargetFile& FileAt(int index);
  CDspFolderEditor& EditorOf(CDspTargetFolder& folder);
  CDspTargetFileEditor& EditorOf(CDspTargetFile& file);

  std::map<const CDspTargetFolder*, std::unique_ptr<CDspFolderEditor>> m_folderEditors;
  std::map<const CDspTargetFile*, std::unique_ptr<CDspTargetFileEditor>> m_fileEditors;
};

class CDspFolderEditor : public CDspFileGroupEditor {
 public:
  explicit CDspFolderEditor(CDspTargetFolder& folder);
  ~CDspFolderEditor() override;

  CDspFileEntryContainer& GetContainer() override { return m_folder; }
  const CDspFileEntryContainer& GetContainer() const override { return m_folder; }

  CDspTargetFolder& GetFolder() const { return m_folder; }
  const CString& GetName() const { return m_folder.GetName(); }

 private:
  CDspTargetFolder& m_folder;
};

// The target's own level: its groups and source files stand in the target's folder proxy, made
// and appended to the target when it has none.
class CDspTopLevelFileGroupEditor : public CDspFileGroupEditor {
 public:
  explicit CDspTopLevelFileGroupEditor(CDspTarget& target);
  ~CDspTopLevelFileGroupEditor() override;

  CDspFileEntryContainer& GetContainer() override;
  const CDspFileEntryContainer& GetContainer() const override;

  // The index, in the target's own list, of the first source file, folder (the proxy included)
  // or default filter; false when there is none.
  bool GetFirstGroupPosition(int* index) const;

  CDspTarget& GetTarget() const { return m_target; }

 private:
  CDspTarget& m_target;
};
