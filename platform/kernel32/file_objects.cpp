// Sharing between the process's open files (see file_objects.h).
#include "file_objects.h"

namespace kernel32::files {

// CreateFile's sharing rule: each open handle must share what the new opener wants, and the new
// opener must share what each open handle already has.
DWORD CheckSharing(uint64_t device, uint64_t inode, const ShareRequest& request) {
  DWORD result = ERROR_SUCCESS;
  if (!request.read && !request.write && !request.remove) return result;
  ForEachHandle([&](HANDLE, KernelObject& object) {
    auto* file = dynamic_cast<OpenFile*>(&object);
    if (!file || file->device != device || file->inode != inode) return;
    // A handle without data access (attributes only) takes no part in sharing.
    if (!file->canRead && !file->canWrite) return;
    const bool refusedByOpen = (request.read && !(file->share & FILE_SHARE_READ)) ||
                               (request.write && !(file->share & FILE_SHARE_WRITE)) ||
                               (request.remove && !(file->share & FILE_SHARE_DELETE));
    const bool refusedByNew = (file->canRead && !(request.share & FILE_SHARE_READ)) ||
                              (file->canWrite && !(request.share & FILE_SHARE_WRITE));
    if (refusedByOpen || refusedByNew) result = ERROR_SHARING_VIOLATION;
  });
  return result;
}

bool AnyOpenUnder(const std::string& folder) {
  const std::string prefix = folder == "/" ? "/" : folder + "/";
  bool found = false;
  ForEachHandle([&](HANDLE, KernelObject& object) {
    if (auto* file = dynamic_cast<OpenFile*>(&object); file && file->host.starts_with(prefix)) found = true;
  });
  return found;
}

size_t CountFileSystemHandles() {
  size_t count = 0;
  ForEachHandle([&](HANDLE, KernelObject& object) {
    if (dynamic_cast<FileSystemObject*>(&object)) ++count;
  });
  return count;
}

void CloseAllFileSystemHandles() {
  // The objects close their host files as the last reference goes, outside the table's lock.
  auto removed = RemoveHandlesIf([](KernelObject& object) { return dynamic_cast<FileSystemObject*>(&object) != nullptr; });
  removed.clear();
}

}  // namespace kernel32::files
