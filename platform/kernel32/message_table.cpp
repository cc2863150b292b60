// The texts Windows gives for the system error codes and HRESULTs that the system meets. An
// HRESULT of the Win32 facility (0x8007xxxx) has the text of its Win32 code, as on Windows.
#include "message_table.h"

#include <algorithm>
#include <iterator>

namespace kernel32 {
namespace {

struct Entry {
  DWORD code;
  const char* text;
};

// Sorted by code.
constexpr Entry kMessages[] = {
    {0, "The operation completed successfully."},
    {1, "Incorrect function."},
    {2, "The system cannot find the file specified."},
    {3, "The system cannot find the path specified."},
    {4, "The system cannot open the file."},
    {5, "Access is denied."},
    {6, "The handle is invalid."},
    {8, "Not enough storage is available to process this command."},
    {13, "The data is invalid."},
    {14, "Not enough storage is available to complete this operation."},
    {15, "The system cannot find the drive specified."},
    {16, "The directory cannot be removed."},
    {17, "The system cannot move the file to a different disk drive."},
    {18, "There are no more files."},
    {19, "The media is write protected."},
    {21, "The device is not ready."},
    {25, "The drive cannot locate a specific area or track on the disk."},
    {29, "The system cannot write to the specified device."},
    {30, "The system cannot read from the specified device."},
    {31, "A device attached to the system is not functioning."},
    {32, "The process cannot access the file because it is being used by another process."},
    {33, "The process cannot access the file because another process has locked a portion of the file."},
    {38, "Reached the end of the file."},
    {39, "The disk is full."},
    {50, "The request is not supported."},
    {53, "The network path was not found."},
    {80, "The file exists."},
    {82, "The directory or file cannot be created."},
    {87, "The parameter is incorrect."},
    {109, "The pipe has been ended."},
    {110, "The system cannot open the device or file specified."},
    {111, "The file name is too long."},
    {112, "There is not enough space on the disk."},
    {120, "This function is not supported on this system."},
    {122, "The data area passed to a system call is too small."},
    {123, "The filename, directory name, or volume label syntax is incorrect."},
    {126, "The specified module could not be found."},
    {127, "The specified procedure could not be found."},
    {131, "An attempt was made to move the file pointer before the beginning of the file."},
    {145, "The directory is not empty."},
    {161, "The specified path is invalid."},
    {170, "The requested resource is in use."},
    {183, "Cannot create a file when that file already exists."},
    {193, "%1 is not a valid Win32 application."},
    {206, "The filename or extension is too long."},
    {234, "More data is available."},
    {258, "The wait operation timed out."},
    {259, "No more data is available."},
    {267, "The directory name is invalid."},
    {487, "Attempt to access invalid address."},
    {534, "Arithmetic result exceeded 32 bits."},
    {998, "Invalid access to memory location."},
    {1004, "Invalid flags."},
    {1010, "The configuration registry key is invalid."},
    {1011, "The configuration registry key could not be opened."},
    {1012, "The configuration registry key could not be read."},
    {1013, "The configuration registry key could not be written."},
    {1018, "Illegal operation attempted on a registry key that has been marked for deletion."},
    {1113, "No mapping for the Unicode character exists in the target multi-byte code page."},
    {1114, "A dynamic link library (DLL) initialization routine failed."},
    {1223, "The operation was canceled by the user."},
    {1400, "Invalid window handle."},
    {1401, "Invalid menu handle."},
    {1404, "Invalid hook handle."},
    {1406, "Cannot create a top-level child window."},
    {1407, "Cannot find window class."},
    {1408, "Invalid window; it belongs to other thread."},
    {1410, "Class already exists."},
    {1411, "Class does not exist."},
    {1412, "Class still has open windows."},
    {1413, "Invalid index."},
    {1421, "Control ID not found."},
    {1426, "Invalid hook procedure type."},
    {1427, "Invalid hook procedure."},
    {1428, "Cannot set nonlocal hook without a module handle."},
    {1438, "Invalid message box style."},
    {1444, "Invalid thread identifier."},
    {1460, "This operation returned because the timeout period expired."},
    {1804, "The specified datatype is invalid."},
    {1812, "The specified image file did not contain a resource section."},
    {1813, "The specified resource type cannot be found in the image file."},
    {1814, "The specified resource name cannot be found in the image file."},
    {1815, "The specified resource language ID cannot be found in the image file."},
    {0x80004001, "Not implemented"},
    {0x80004002, "No such interface supported"},
    {0x80004003, "Invalid pointer"},
    {0x80004004, "Operation aborted"},
    {0x80004005, "Unspecified error"},
    {0x8000FFFF, "Catastrophic failure"},
    {0x80010106, "Cannot change thread mode after it is set."},
    {0x8001010E, "The application called an interface that was marshalled for a different thread."},
    {0x80020001, "Unknown interface."},
    {0x80020003, "Member not found."},
    {0x80020004, "Parameter not found."},
    {0x80020005, "Type mismatch."},
    {0x80020006, "Unknown name."},
    {0x80020008, "Bad variable type."},
    {0x80020009, "Exception occurred."},
    {0x8002000A, "Out of present range."},
    {0x8002000B, "Invalid index."},
    {0x8002000D, "Memory is locked."},
    {0x8002000E, "Invalid number of parameters."},
    {0x8002000F, "Parameter not optional."},
    {0x8002801D, "Library not registered."},
    {0x8002802B, "Element not found."},
    {0x80030002, "%1 could not be found."},
    {0x80040110, "Class does not support aggregation (or class object is remote)"},
    {0x80040111, "ClassFactory cannot supply requested class"},
    {0x80040150, "Could not read key from registry"},
    {0x80040154, "Class not registered"},
    {0x800401E3, "Operation unavailable"},
    {0x800401F0, "CoInitialize has not been called."},
    {0x800401F3, "Invalid class string"},
    {0x800401F5, "Application not found"},
    {0x800401F8, "DLL for class not found"},
    {0x800401F9, "Error in the DLL"},
};

}  // namespace

const char* SystemMessageText(DWORD code) {
  static_assert(std::is_sorted(std::begin(kMessages), std::end(kMessages),
                               [](const Entry& a, const Entry& b) { return a.code < b.code; }));
  auto find = [](DWORD c) -> const char* {
    auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), c,
                               [](const Entry& e, DWORD v) { return e.code < v; });
    return (it != std::end(kMessages) && it->code == c) ? it->text : nullptr;
  };
  if (const char* text = find(code)) return text;
  // HRESULT_FROM_WIN32: the facility-7 error carries the Win32 code's text.
  if ((code & 0xFFFF0000u) == 0x80070000u) return find(code & 0xFFFFu);
  return nullptr;
}

}  // namespace kernel32
