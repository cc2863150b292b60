// The MFC core classes (mfc42, one shared library per process): CObject and run-time class
// information, the diagnostic macros, the exception classes, CString, CTime/CTimeSpan, CFile,
// CStdioFile and CFileFind. Windows, threads, the application and documents live in afxwin.h.
//
// Debug semantics: this build is a debug build of the library unless NDEBUG is defined, so ASSERT
// and ASSERT_VALID evaluate their argument and report a failure (to standard error and to the
// sandbox, which fails the running test), TRACE writes through OutputDebugString, VERIFY always
// evaluates. With NDEBUG, ASSERT and TRACE compile to nothing and VERIFY only evaluates.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <ctime>
#include <memory>
#include <string>
#include <type_traits>

#define AFXAPI
#define AFX_CDECL
#define AFX_DATA
#define AFX_INLINE inline
#define AFX_EXT_CLASS
#define AFX_STATIC_DATA static
#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif
#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
#ifndef _T
#define _T(x) x
#define _TEXT(x) x
#endif

#if defined(_DEBUG) || !defined(NDEBUG)
#define AFX_DEBUG_CHECKS 1
#else
#define AFX_DEBUG_CHECKS 0
#endif

// Header code marked AFX_MODULE_LOCAL runs as part of each module that includes it: every module
// (program, extension or regular DLL, stand-in) has its own hidden copy, which no other module's
// copy can stand in for.
#define AFX_MODULE_LOCAL __attribute__((visibility("hidden")))

namespace afx_internal {
// One object in every module that includes this header: its address names that module, which is
// how MFC knows whose code asks for a resource (the module's own resources come first).
AFX_MODULE_LOCAL inline const char kModuleAnchor = 0;
AFX_MODULE_LOCAL inline const void* ThisModule() { return &kModuleAnchor; }
}  // namespace afx_internal

class CObject;
class CArchive;
namespace msvcrt {
class StreamBuffer;
}

// An opaque place in one of MFC's lists, handed out by GetFirst...Position and moved on by
// GetNext...; NULL past the end.
struct __POSITION {};
typedef __POSITION* POSITION;
class CDumpContext;
class CFile;
class CString;

// ---------------------------------------------------------------------------------------------
// Run-time class information: name, size, schema, factory and base class of a CObject class.

struct STANDIN_API CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serializable
  CObject*(PASCAL* m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;

  // A new object of the class, or NULL (with a TRACE) when the class is not DYNCREATE.
  CObject* CreateObject();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                     \
 public:                                                \
  static const CRuntimeClass class##class_name;         \
  virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* PASCAL CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                          \
  const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), wSchema, \
                                                       pfnNew, RUNTIME_CLASS(base_class_name), NULL};  \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                   \
  CObject* PASCAL class_name::CreateObject() { return new class_name; }    \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// ---------------------------------------------------------------------------------------------
// CObject: the root of the class tree.

class STANDIN_API CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();

  BOOL IsSerializable() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

  // Does nothing in CObject; serializable classes override it.
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;
  // Writes "a <class name> at $<address>" to the dump context.
  virtual void Dump(CDumpContext& dc) const;

  static const CRuntimeClass classCObject;

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

// DYNAMIC_DOWNCAST: the object as the class, or NULL when it is not of that kind.
STANDIN_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// ---------------------------------------------------------------------------------------------
// Diagnostics.

// Reports a failed assertion (standard error and the sandbox); returns FALSE: never breaks.
STANDIN_API BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
// Calls AssertValid on a non-null object; a null object is an assertion failure.
STANDIN_API void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);
// Printf-style (the platform's: 'l' is 32 bits, I64 is 64 bits) debug output.
STANDIN_API void AFX_CDECL AfxTracePrintf(LPCTSTR lpszFormat, ...);
STANDIN_API BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength = -1);
STANDIN_API BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite = TRUE);

namespace afx_internal {
// A CString passes to printf-style functions as its text, as on the platform; anything else a
// printf argument cannot be (a class object) does not compile.
template <class T>
auto PrintfArg(const T& value) {
  if constexpr (std::is_base_of_v<CString, T>) {
    return static_cast<LPCTSTR>(value);
  } else {
    using Passed = std::decay_t<const T&>;
    static_assert(std::is_arithmetic_v<Passed> || std::is_pointer_v<Passed> || std::is_enum_v<Passed> ||
                      std::is_null_pointer_v<Passed>,
                  "printf-style arguments are numbers, pointers or CStrings");
    return static_cast<Passed>(value);
  }
}
}  // namespace afx_internal

template <class... Args>
void AfxTrace(LPCTSTR lpszFormat, const Args&... args) {
  AfxTracePrintf(lpszFormat, afx_internal::PrintfArg(args)...);
}

#define THIS_FILE __FILE__
#define DEBUG_NEW new
#define AfxDebugBreak() ((void)0)

#if AFX_DEBUG_CHECKS
#define ASSERT(f)                                                      \
  do {                                                                 \
    if (!(f) && ::AfxAssertFailedLine(THIS_FILE, __LINE__)) AfxDebugBreak(); \
  } while (0)
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) (::AfxAssertValidObject((pOb), THIS_FILE, __LINE__))
#define TRACE ::AfxTrace
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE 1 ? (void)0 : ::AfxTrace
#endif
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)

// ---------------------------------------------------------------------------------------------
// CString: a multi-byte string in the process's ANSI code page (GetACP()). Lengths and indexes
// count bytes; searches, trimming, case mapping and reversing step by character, so a trail byte
// of a double-byte character is never taken for a character of its own.

class STANDIN_API CString {
 public:
  // Making, copying, moving and freeing a string are defined here, so that they cost no call into
  // the library: a reader makes one or more strings for every line it reads.
  CString() = default;
  CString(const CString& stringSrc) = default;
  CString(CString&& stringSrc) noexcept = default;
  CString(TCHAR ch, int nRepeat = 1);
  // A null pointer is the empty string; MAKEINTRESOURCE(id) loads the string resource id along
  // the resource chain, as seen from the module whose code makes the string.
  AFX_MODULE_LOCAL CString(LPCSTR lpsz) {
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
      LoadStringFor(afx_internal::ThisModule(), LOWORD(reinterpret_cast<ULONG_PTR>(lpsz)));
    else if (lpsz != NULL)
      m_str = lpsz;
  }
  CString(LPCSTR lpch, int nLength) {
    ASSERT(nLength >= 0);
    ASSERT(nLength == 0 || lpch != NULL);
    if (lpch != NULL && nLength > 0) m_str.assign(lpch, static_cast<size_t>(nLength));
  }
  CString(const unsigned char* psz);
  ~CString() = default;

  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty();

  // Index checks are assertions; an index out of range reads '\0' and writes nothing.
  TCHAR GetAt(int nIndex) const;
  TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
  void SetAt(int nIndex, TCHAR ch);
  operator LPCTSTR() const { return m_str.c_str(); }

  const CString& operator=(const CString& stringSrc) {
    m_str = stringSrc.m_str;
    return *this;
  }
  const CString& operator=(CString&& stringSrc) noexcept {
    m_str = std::move(stringSrc.m_str);
    return *this;
  }
  const CString& operator=(TCHAR ch);
  const CString& operator=(LPCSTR lpsz);
  const CString& operator=(const unsigned char* psz);

  const CString& operator+=(const CString& string);
  const CString& operator+=(TCHAR ch);
  const CString& operator+=(LPCTSTR lpsz);

  friend STANDIN_API CString AFXAPI operator+(const CString& string1, const CString& string2);
  friend STANDIN_API CString AFXAPI operator+(const CString& string, TCHAR ch);
  friend STANDIN_API CString AFXAPI operator+(TCHAR ch, const CString& string);
  friend STANDIN_API CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
  friend STANDIN_API CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

  // Comparisons of the texts up to their first NUL, character by character: <0, 0 or >0.
  int Compare(LPCTSTR lpsz) const;
  // Case-insensitive (folded to lower case: ASCII, and the Latin-1 letters under code page 1252).
  int CompareNoCase(LPCTSTR lpsz) const;
  // Locale collation; the stand-in's locale is the "C" locale, where it is Compare.
  int Collate(LPCTSTR lpsz) const;
  int CollateNoCase(LPCTSTR lpsz) const;

  // Counts are clamped to the string, as the platform does.
  CString Mid(int nFirst, int nCount) const;
  CString Mid(int nFirst) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCTSTR lpszCharSet) const;
  CString SpanExcluding(LPCTSTR lpszCharSet) const;

  void MakeUpper();
  void MakeLower();
  void MakeReverse();

  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
  int Remove(TCHAR chRemove);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR pstr);
  int Delete(int nIndex, int nCount = 1);

  // printf formatting with the platform's sizes ('h' 16, 'l' 32 and I64 64 bits, %S wide text);
  // a CString argument formats as its text.
  template <class... Args>
  void Format(LPCTSTR lpszFormat, const Args&... args) {
    FormatPrintf(lpszFormat, afx_internal::PrintfArg(args)...);
  }
  template <class... Args>
  void Format(UINT nFormatID, const Args&... args) {
    CString format;
    if (!format.LoadString(nFormatID)) return;
    FormatPrintf(format, afx_internal::PrintfArg(args)...);
  }
  void FormatV(LPCTSTR lpszFormat, va_list argList);

  // White space is ' ' and '\t'..'\r'; a double-byte character is never trimmed for a byte of it.
  void TrimRight();
  void TrimRight(TCHAR chTarget);
  void TrimRight(LPCTSTR lpszTargets);
  void TrimLeft();
  void TrimLeft(TCHAR chTarget);
  void TrimLeft(LPCTSTR lpszTargets);

  // Byte indexes, or -1. A start inside a double-byte character starts at the next character.
  int Find(TCHAR ch) const;
  int Find(TCHAR ch, int nStart) const;
  int Find(LPCTSTR lpszSub) const;
  int Find(LPCTSTR lpszSub, int nStart) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR lpszCharSet) const;

  // Direct access: the buffer holds at least nMinBufLength bytes plus a NUL and stays valid until
  // ReleaseBuffer or the next change of the string. ReleaseBuffer(-1) takes the length up to the
  // first NUL. Copy-on-write is not modelled, so LockBuffer only hands out the buffer.
  LPTSTR GetBuffer(int nMinBufLength);
  LPTSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void FreeExtra();
  LPTSTR LockBuffer();
  void UnlockBuffer();

  // Loads the string resource nID from the first module along the resource chain that has it, as
  // seen from the module whose code asks (afxwin.h, AfxFindResourceHandle, gives the order). FALSE
  // (and the string unchanged) when no module has it.
  AFX_MODULE_LOCAL BOOL LoadString(UINT nID) { return LoadStringFor(afx_internal::ThisModule(), nID); }
  // LoadString as the module holding the address `caller` asks.
  BOOL LoadStringFor(const void* caller, UINT nID);

 private:
  void FormatPrintf(LPCTSTR lpszFormat, ...);

  std::string m_str;
};

// Both sides may be a CString or a C string.
STANDIN_API bool AFXAPI operator==(const CString& s1, const CString& s2);
STANDIN_API bool AFXAPI operator==(const CString& s1, LPCTSTR s2);
STANDIN_API bool AFXAPI operator==(LPCTSTR s1, const CString& s2);
STANDIN_API bool AFXAPI operator!=(const CString& s1, const CString& s2);
STANDIN_API bool AFXAPI operator!=(const CString& s1, LPCTSTR s2);
STANDIN_API bool AFXAPI operator!=(LPCTSTR s1, const CString& s2);
STANDIN_API bool AFXAPI operator<(const CString& s1, const CString& s2);
STANDIN_API bool AFXAPI operator<(const CString& s1, LPCTSTR s2);
STANDIN_API bool AFXAPI operator<(LPCTSTR s1, const CString& s2);
STANDIN_API bool AFXAPI operator>(const CString& s1, const CString& s2);
STANDIN_API bool AFXAPI operator>(const CString& s1, LPCTSTR s2);
STANDIN_API bool AFXAPI operator>(LPCTSTR s1, const CString& s2);
STANDIN_API bool AFXAPI operator<=(const CString& s1, const CString& s2);
STANDIN_API bool AFXAPI operator<=(const CString& s1, LPCTSTR s2);
STANDIN_API bool AFXAPI operator<=(LPCTSTR s1, const CString& s2);
STANDIN_API bool AFXAPI operator>=(const CString& s1, const CString& s2);
STANDIN_API bool AFXAPI operator>=(const CString& s1, LPCTSTR s2);
STANDIN_API bool AFXAPI operator>=(LPCTSTR s1, const CString& s2);

// ---------------------------------------------------------------------------------------------
// CDumpContext: diagnostic output, to a CFile or (without one) through OutputDebugString.

class STANDIN_API CDumpContext {
 public:
  explicit CDumpContext(CFile* pFile = NULL);
  ~CDumpContext();

  int GetDepth() const { return m_nDepth; }
  void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }

  CDumpContext& operator<<(LPCTSTR lpsz);
  CDumpContext& operator<<(const CString& string);
  CDumpContext& operator<<(const void* lp);
  CDumpContext& operator<<(const CObject* pOb);
  CDumpContext& operator<<(const CObject& ob);
  CDumpContext& operator<<(BYTE by);
  CDumpContext& operator<<(WORD w);
  CDumpContext& operator<<(UINT u);  // also DWORD: the same type here
  CDumpContext& operator<<(int n);   // also LONG
  CDumpContext& operator<<(LONGLONG n);
  CDumpContext& operator<<(ULONGLONG n);
  CDumpContext& operator<<(double d);
  void Flush();

 private:
  CDumpContext(const CDumpContext&) = delete;
  CDumpContext& operator=(const CDumpContext&) = delete;
  void Write(const std::string& text);

  CFile* m_pFile;
  int m_nDepth = 0;
};

#if AFX_DEBUG_CHECKS
extern STANDIN_API CDumpContext afxDump;
#endif

// ---------------------------------------------------------------------------------------------
// Exceptions, thrown by pointer and deleted by the catcher through Delete().

class STANDIN_API CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException(BOOL bAutoDelete = TRUE);
  ~CException() override;

  // Deletes the exception when it was allocated to be deleted (m_bAutoDelete); an exception
  // object that lives elsewhere (on the stack, or a shared static one) stays.
  void Delete();
  // The base has no text: an empty string (when nMaxError != 0), help context 0, FALSE.
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
  // Shows the exception's text (or string nMessageID, or "No error message is available.") with
  // AfxMessageBox and returns what the user chose.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  BOOL m_bAutoDelete;
};

// An exception with a fixed text.
class STANDIN_API CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  explicit CSimpleException(BOOL bAutoDelete = TRUE);
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

 protected:
  virtual LPCTSTR GetDefaultMessage() const;
};

class STANDIN_API CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetDefaultMessage() const override;
};

class STANDIN_API CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetDefaultMessage() const override;
};

class STANDIN_API CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  explicit CResourceException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetDefaultMessage() const override;
};

// Thrown after the user has been told what went wrong: handlers stop without a message of their own.
class STANDIN_API CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
 public:
  explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetDefaultMessage() const override;
};

class STANDIN_API CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL);
  ~CFileException() override;

  // The text of the cause, naming the file ("an unnamed file" without a name). TRUE.
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  // The cause that a system error code (GetLastError) stands for; generic for unknown codes.
  static int PASCAL OsErrorToException(LONG lOsError);
  // The cause that a C run-time errno value stands for.
  static int PASCAL ErrnoToException(int nErrno);
  // Throw a CFileException for the system error code / errno, naming the file. Never return.
  [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
  [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

// Throw helpers: they throw the exception by pointer and never return. The memory, not-supported
// and resource exceptions are shared static objects (not auto-deleted), so throwing them needs no
// memory; the others are allocated and deleted by the catcher.
[[noreturn]] STANDIN_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] STANDIN_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] STANDIN_API void AFXAPI AfxThrowUserException();
[[noreturn]] STANDIN_API void AFXAPI AfxThrowResourceException();
[[noreturn]] STANDIN_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                           LPCTSTR lpszFileName = NULL);

// The exception macros over C++ exceptions. An exception caught by CATCH/AND_CATCH is deleted
// at the end of its handler unless THROW_LAST passed it on.
class STANDIN_API AfxExceptionGuard {
 public:
  explicit AfxExceptionGuard(CException* pException) : m_pException(pException) {}
  ~AfxExceptionGuard() {
    if (m_pException != NULL) m_pException->Delete();
  }
  void Release() { m_pException = NULL; }

 private:
  AfxExceptionGuard(const AfxExceptionGuard&) = delete;
  AfxExceptionGuard& operator=(const AfxExceptionGuard&) = delete;
  CException* m_pException;
};

#define TRY try
#define CATCH(class_name, e) \
  catch (class_name * e) {   \
    AfxExceptionGuard _afxExceptionGuard(e);
#define AND_CATCH(class_name, e) \
  }                              \
  catch (class_name * e) {       \
    AfxExceptionGuard _afxExceptionGuard(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define THROW(e) throw e
#define THROW_LAST()              \
  do {                            \
    _afxExceptionGuard.Release(); \
    throw;                        \
  } while (0)

// ---------------------------------------------------------------------------------------------
// CTimeSpan and CTime: seconds, as a 64-bit time_t. Local time is UTC plus the machine's time-zone
// bias as kernel32 reports it (FileTimeToLocalFileTime); daylight saving is not modelled, so nDST
// arguments are accepted and ignored.

class STANDIN_API CTimeSpan {
 public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(time_t time) : m_timeSpan(time) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

  LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
  LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
  int GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
  LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
  int GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
  LONGLONG GetTotalSeconds() const { return m_timeSpan; }
  int GetSeconds() const { return static_cast<int>(GetTotalSeconds() - GetTotalMinutes() * 60); }

  CTimeSpan operator-(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan - timeSpan.m_timeSpan); }
  CTimeSpan operator+(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan + timeSpan.m_timeSpan); }
  const CTimeSpan& operator+=(CTimeSpan timeSpan) {
    m_timeSpan += timeSpan.m_timeSpan;
    return *this;
  }
  const CTimeSpan& operator-=(CTimeSpan timeSpan) {
    m_timeSpan -= timeSpan.m_timeSpan;
    return *this;
  }
  bool operator==(CTimeSpan timeSpan) const { return m_timeSpan == timeSpan.m_timeSpan; }
  bool operator!=(CTimeSpan timeSpan) const { return m_timeSpan != timeSpan.m_timeSpan; }
  bool operator<(CTimeSpan timeSpan) const { return m_timeSpan < timeSpan.m_timeSpan; }
  bool operator>(CTimeSpan timeSpan) const { return m_timeSpan > timeSpan.m_timeSpan; }
  bool operator<=(CTimeSpan timeSpan) const { return m_timeSpan <= timeSpan.m_timeSpan; }
  bool operator>=(CTimeSpan timeSpan) const { return m_timeSpan >= timeSpan.m_timeSpan; }

  // %D days, %H hours, %M minutes, %S seconds (two digits each but days), %% a percent sign.
  CString Format(LPCTSTR pFormat) const;
  CString Format(UINT nFormatID) const;

 private:
  time_t m_timeSpan;
};

class STANDIN_API CTime {
 public:
  // The sandbox clock's current time.
  static CTime PASCAL GetCurrentTime();

  CTime() : m_time(0) {}
  CTime(time_t time) : m_time(time) {}
  // A local date and time; out-of-range fields are assertions and roll over as mktime does.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
  // A local SYSTEMTIME; years before 1900 give time 0.
  CTime(const SYSTEMTIME& sysTime, int nDST = -1);
  // A UTC FILETIME.
  CTime(const FILETIME& fileTime, int nDST = -1);

  time_t GetTime() const { return m_time; }
  // Broken-down time (UTC or local) into *ptm, or into a per-thread buffer when ptm is NULL.
  struct tm* GetGmtTm(struct tm* ptm = NULL) const;
  struct tm* GetLocalTm(struct tm* ptm = NULL) const;
  // The local time as a SYSTEMTIME (milliseconds 0); FALSE outside SYSTEMTIME's range.
  BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

  int GetYear() const;
  int GetMonth() const;      // 1..12
  int GetDay() const;        // 1..31
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday

  CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
  CTime operator-(CTimeSpan timeSpan) const { return CTime(m_time - timeSpan.GetTotalSeconds()); }
  CTime operator+(CTimeSpan timeSpan) const { return CTime(m_time + timeSpan.GetTotalSeconds()); }
  const CTime& operator+=(CTimeSpan timeSpan) {
    m_time += timeSpan.GetTotalSeconds();
    return *this;
  }
  const CTime& operator-=(CTimeSpan timeSpan) {
    m_time -= timeSpan.GetTotalSeconds();
    return *this;
  }
  bool operator==(CTime time) const { return m_time == time.m_time; }
  bool operator!=(CTime time) const { return m_time != time.m_time; }
  bool operator<(CTime time) const { return m_time < time.m_time; }
  bool operator>(CTime time) const { return m_time > time.m_time; }
  bool operator<=(CTime time) const { return m_time <= time.m_time; }
  bool operator>=(CTime time) const { return m_time >= time.m_time; }

  // strftime in the "C" locale: %a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x %X %y %Y %z
  // %Z %% and the '#' flag (no leading zeros; long forms of %c and %x). %z and %Z give the
  // time-zone bias as +hhmm (the stand-in has no time-zone names). Format is local, FormatGmt UTC.
  CString Format(LPCTSTR pFormat) const;
  CString FormatGmt(LPCTSTR pFormat) const;
  CString Format(UINT nFormatID) const;
  CString FormatGmt(UINT nFormatID) const;

 private:
  time_t m_time;
};

// ---------------------------------------------------------------------------------------------
// Files.

struct CFileStatus {
  CTime m_ctime;       // creation
  CTime m_mtime;       // last modification
  CTime m_atime;       // last access
  LONG m_size;         // bytes
  BYTE m_attribute;    // CFile::Attribute bits
  BYTE _m_padding;
  TCHAR m_szFullName[_MAX_PATH];  // full path
};

// CFile over kernel32 file handles: every failure throws a CFileException naming the file, with
// the cause mapped from the system error code.
class STANDIN_API CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08,
                   directory = 0x10, archive = 0x20 };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
  static const HANDLE hFileNull;

  CFile();
  explicit CFile(HANDLE hFile);
  // Opens the file or throws the CFileException that Open would have filled.
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  // Closes a file it opened; a failure to close is only traced (a destructor does not throw).
  ~CFile() override;

  // FALSE when the file cannot be opened, with *pError (if given) describing why: cause, system
  // error code and the file name as passed. The text/binary flags mean nothing to CFile.
  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

  virtual DWORD GetPosition() const;
  BOOL GetStatus(CFileStatus& rStatus) const;
  virtual CString GetFileName() const;   // name with extension
  virtual CString GetFileTitle() const;  // name without extension
  virtual CString GetFilePath() const;   // full path
  virtual void SetFilePath(LPCTSTR lpszNewName);

  virtual LONG Seek(LONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, CFile::begin); }
  DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, CFile::end)); }
  virtual void SetLength(DWORD dwNewLen);
  virtual DWORD GetLength() const;
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void LockRange(DWORD dwPos, DWORD dwCount);
  virtual void UnlockRange(DWORD dwPos, DWORD dwCount);
  // Closes without reporting errors; harmless on a closed file.
  virtual void Abort();
  virtual void Flush();
  virtual void Close();

  static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
  static void PASCAL Remove(LPCTSTR lpszFileName);
  // FALSE when the file does not exist (or the name holds wildcards).
  static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
  // Sets the times (those not 0) and the attributes; a read-only file is made writable first.
  static void PASCAL SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);

  void Dump(CDumpContext& dc) const override;

  HANDLE m_hFile;

 protected:
  BOOL m_bCloseOnDelete;
  CString m_strFileName;
};

// CStdioFile: buffered reads and writes, in text mode (typeText, or neither type flag: the run-
// time's default) or binary mode (typeBinary). Text mode writes "\n" as CR LF, reads CR LF as
// "\n" (a lone CR stays) and stops reading at Ctrl-Z (0x1A). Positions are byte offsets in the file.
// The buffering is the C run time's stream, as on the platform (one implementation for both).
class STANDIN_API CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CStdioFile() override;

  BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

  virtual void WriteString(LPCTSTR lpsz);
  // At most nMax - 1 bytes, up to and including a "\n"; NULL at the end of the file.
  virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  // The next line without its "\n"; FALSE at the end of the file (nothing left to read).
  virtual BOOL ReadString(CString& rString);

  DWORD GetPosition() const override;
  LONG Seek(LONG lOff, UINT nFrom) override;
  void SetLength(DWORD dwNewLen) override;
  DWORD GetLength() const override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void LockRange(DWORD dwPos, DWORD dwCount) override;    // not supported, as on the platform
  void UnlockRange(DWORD dwPos, DWORD dwCount) override;  // not supported, as on the platform
  void Abort() override;
  void Flush() override;
  void Close() override;

 private:
  bool IsOpen() const { return m_hFile != hFileNull; }

  // The run time's stream over m_hFile; it changes under const members too (GetLength writes
  // pending bytes out first).
  std::unique_ptr<msvcrt::StreamBuffer> m_pStreamBuffer;
};

// CFileFind: the directory entries matching a name with wildcards, in kernel32's order.
// FindNextFile returns FALSE when the entry it just made current is the last one (which is still
// valid to read); the entry accessors are valid after the first FindNextFile.
class STANDIN_API CFileFind : public CObject {
  DECLARE_DYNAMIC(CFileFind)
 public:
  CFileFind();
  ~CFileFind() override;

  // NULL means "*.*". FALSE (with GetLastError) when nothing matches.
  virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
  virtual BOOL FindNextFile();
  void Close();

  DWORD GetLength() const;
  virtual CString GetFileName() const;
  virtual CString GetFilePath() const;
  virtual CString GetFileTitle() const;
  virtual CString GetFileURL() const;
  // The directory searched, as a full path without a trailing separator ("C:" for a root).
  virtual CString GetRoot() const;

  virtual BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
  virtual BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
  virtual BOOL GetCreationTime(FILETIME* pTimeStamp) const;
  virtual BOOL GetLastWriteTime(CTime& refTime) const;
  virtual BOOL GetLastAccessTime(CTime& refTime) const;
  virtual BOOL GetCreationTime(CTime& refTime) const;

  virtual BOOL MatchesMask(DWORD dwMask) const;
  virtual BOOL IsDots() const;
  BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
  BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
  BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
  BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
  BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
  BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
  BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

 private:
  const WIN32_FIND_DATA* Found() const;

  HANDLE m_hContext;
  bool m_bHaveFound = false;
  bool m_bHaveNext = false;
  WIN32_FIND_DATA m_found;
  WIN32_FIND_DATA m_next;
  CString m_strRoot;
};

#include "afx_archive.h"
