// The exception classes: auto-delete, error texts, ReportError through the scripted user, the
// file-exception causes, the OLE exception and the exception macros.
#include <afxdisp.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource.h"
#include "assertion.h"
#include "sandbox/sandbox.h"

namespace {

// Counts its destructions, so a test sees whether Delete deleted it.
class CCountedException : public CException {
 public:
  explicit CCountedException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
  ~CCountedException() override { ++s_destroyed; }
  static int s_destroyed;
};
int CCountedException::s_destroyed = 0;

// An exception with a text of its own.
class CTextException : public CException {
 public:
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) override {
    lstrcpyn(lpszError, "Something specific broke.", static_cast<int>(nMaxError));
    if (pnHelpContext) *pnHelpContext = 0;
    return TRUE;
  }
};

TEST(CExceptionTest, DeleteHonoursAutoDelete) {
  CCountedException::s_destroyed = 0;
  CException* heap = new CCountedException;
  EXPECT_TRUE(heap->m_bAutoDelete);
  heap->Delete();
  EXPECT_EQ(CCountedException::s_destroyed, 1);

  {
    CCountedException onStack(FALSE);
    onStack.Delete();  // not auto-delete: stays alive
    EXPECT_EQ(CCountedException::s_destroyed, 1);
  }
  EXPECT_EQ(CCountedException::s_destroyed, 2);  // destroyed once, by its scope
}

TEST(CExceptionTest, BaseHasNoErrorMessage) {
  CException e;
  char text[8];
  std::memset(text, 'x', sizeof text);
  UINT help = 0xdeadbeef;
  EXPECT_FALSE(e.GetErrorMessage(text, sizeof text, &help));
  EXPECT_EQ(text[0], '\0');
  EXPECT_EQ(text[1], 'x');
  EXPECT_EQ(help, 0u);

  std::memset(text, 'x', sizeof text);
  EXPECT_FALSE(e.GetErrorMessage(text, 0));  // nMaxError 0: nothing written
  EXPECT_EQ(text[0], 'x');
}

struct ThrowCase {
  const char* name;
  void (*raise)();
  CRuntimeClass* kind;
  bool autoDelete;
  const char* text;
};

TEST(CExceptionTest, ThrowHelpersThrowPointersWithTheirTexts) {
  const ThrowCase cases[] = {
      {.name = "memory", .raise = [] { AfxThrowMemoryException(); }, .kind = RUNTIME_CLASS(CMemoryException),
       .autoDelete = false, .text = "Out of memory."},
      {.name = "not supported", .raise = [] { AfxThrowNotSupportedException(); },
       .kind = RUNTIME_CLASS(CNotSupportedException), .autoDelete = false,
       .text = "An unsupported operation was attempted."},
      {.name = "resource", .raise = [] { AfxThrowResourceException(); }, .kind = RUNTIME_CLASS(CResourceException),
       .autoDelete = false, .text = "A required resource was unavailable."},
      {.name = "user", .raise = [] { AfxThrowUserException(); }, .kind = RUNTIME_CLASS(CUserException),
       .autoDelete = true, .text = "An unknown error has occurred."},
      {.name = "file", .raise = [] { AfxThrowFileException(CFileException::diskFull, 112, "C:\\x.dat"); },
       .kind = RUNTIME_CLASS(CFileException), .autoDelete = true, .text = "Disk full while accessing C:\\x.dat."},
      {.name = "ole", .raise = [] { AfxThrowOleException(E_ACCESSDENIED); }, .kind = RUNTIME_CLASS(COleException),
       .autoDelete = true, .text = "Access is denied.\r\n"},
  };
  for (const ThrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    bool caught = false;
    try {
      c.raise();
    } catch (CException* e) {
      caught = true;
      EXPECT_TRUE(e->IsKindOf(c.kind));
      EXPECT_EQ(e->m_bAutoDelete != FALSE, c.autoDelete);
      char text[128];
      UINT help = 0xdeadbeef;
      EXPECT_TRUE(e->GetErrorMessage(text, sizeof text, &help));
      EXPECT_STREQ(text, c.text);
      EXPECT_EQ(help, 0u);
      e->Delete();
    }
    EXPECT_TRUE(caught);
  }
  // The shared exceptions survive Delete and can be thrown again.
  for (int i = 0; i < 2; ++i) {
    try {
      AfxThrowMemoryException();
    } catch (CMemoryException* e) {
      e->Delete();
    }
  }
}

TEST(CExceptionTest, SimpleTextsAreCutWithoutSplittingACharacter) {
  CMemoryException e;
  char text[6];
  std::memset(text, 'x', sizeof text);
  EXPECT_TRUE(e.GetErrorMessage(text, 5));
  EXPECT_STREQ(text, "Out ");
  EXPECT_EQ(text[5], 'x');
}

TEST(CExceptionTest, ReportErrorShowsTheTextAndReturnsTheAnswer) {
  sandbox::SetStrict(true);
  sandbox::QueueAnswer("MessageBox", {IDOK, {}});
  sandbox::QueueAnswer("MessageBox", {IDCANCEL, {}});
  sandbox::QueueAnswer("MessageBox", {IDYES, {}});
  sandbox::QueueAnswer("MessageBox", {IDOK, {}});

  CTextException own;
  EXPECT_EQ(own.ReportError(), IDOK);
  CException none;
  EXPECT_EQ(none.ReportError(MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(none.ReportError(MB_YESNO | MB_ICONSTOP, IDS_ERROR_FALLBACK), IDYES);
  CFileException file(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\missing.dsp");
  EXPECT_EQ(file.ReportError(), IDOK);

  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 4u);
  EXPECT_EQ(modals[0].text, "Something specific broke.");
  EXPECT_EQ(modals[0].style, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(modals[1].text, "No error message is available.");
  EXPECT_EQ(modals[1].style, static_cast<unsigned>(MB_OKCANCEL | MB_ICONEXCLAMATION));
  EXPECT_EQ(modals[2].text, "The operation failed.");
  EXPECT_EQ(modals[2].style, static_cast<unsigned>(MB_YESNO | MB_ICONSTOP));  // an icon given stays
  EXPECT_EQ(modals[3].text, "C:\\missing.dsp was not found.");
  for (const sandbox::Modal& modal : modals) {
    EXPECT_EQ(modal.kind, "MessageBox");
    EXPECT_EQ(modal.caption, AfxGetAppName());
    EXPECT_TRUE(modal.answered);
  }
  EXPECT_STREQ(AfxGetAppName(), "mfc42_tests");
}

TEST(CExceptionTest, UnansweredReportGetsTheCancelAnswer) {
  CException e;
  EXPECT_EQ(e.ReportError(MB_YESNOCANCEL), IDCANCEL);
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_FALSE(sandbox::Modals()[0].answered);
  EXPECT_EQ(sandbox::Modals()[0].style, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST(CExceptionTest, MessageBoxFromAStringResource) {
  sandbox::QueueAnswer("MessageBox", {IDNO, {}});
  EXPECT_EQ(AfxMessageBox(IDS_SAVE_PROMPT, MB_YESNO), IDNO);
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_EQ(sandbox::Modals()[0].text, "Save changes?");
  // A missing prompt string is an assertion failure; the box still shows (empty).
  EXPECT_ASSERTION(AfxMessageBox(4242), "Assertion failed");
}

struct CauseCase {
  LONG osError;
  int cause;
  const char* text;
};

TEST(CFileExceptionTest, CausesFromSystemErrorsAndTheirTexts) {
  const CauseCase cases[] = {
      {.osError = ERROR_SUCCESS, .cause = CFileException::none, .text = "No error occurred."},
      {.osError = ERROR_FILE_NOT_FOUND, .cause = CFileException::fileNotFound, .text = "C:\\a b.txt was not found."},
      {.osError = ERROR_PATH_NOT_FOUND, .cause = CFileException::badPath, .text = "C:\\a b.txt contains an invalid path."},
      {.osError = ERROR_TOO_MANY_OPEN_FILES, .cause = CFileException::tooManyOpenFiles,
       .text = "C:\\a b.txt could not be opened because there are too many open files."},
      {.osError = ERROR_ACCESS_DENIED, .cause = CFileException::accessDenied, .text = "Access to C:\\a b.txt was denied."},
      {.osError = ERROR_INVALID_HANDLE, .cause = CFileException::invalidFile,
       .text = "An invalid file handle was associated with C:\\a b.txt."},
      {.osError = ERROR_CURRENT_DIRECTORY, .cause = CFileException::removeCurrentDir,
       .text = "C:\\a b.txt could not be removed because it is the current directory."},
      {.osError = ERROR_SEEK, .cause = CFileException::badSeek, .text = "Seek failed on C:\\a b.txt."},
      {.osError = ERROR_NEGATIVE_SEEK, .cause = CFileException::badSeek, .text = "Seek failed on C:\\a b.txt."},
      {.osError = ERROR_NOT_READY, .cause = CFileException::hardIO,
       .text = "A hardware I/O error was reported while accessing C:\\a b.txt."},
      {.osError = ERROR_SHARING_VIOLATION, .cause = CFileException::sharingViolation,
       .text = "A sharing violation occurred while accessing C:\\a b.txt."},
      {.osError = ERROR_LOCK_VIOLATION, .cause = CFileException::lockViolation,
       .text = "A locking violation occurred while accessing C:\\a b.txt."},
      {.osError = ERROR_DISK_FULL, .cause = CFileException::diskFull, .text = "Disk full while accessing C:\\a b.txt."},
      {.osError = ERROR_HANDLE_DISK_FULL, .cause = CFileException::diskFull, .text = "Disk full while accessing C:\\a b.txt."},
      {.osError = ERROR_HANDLE_EOF, .cause = CFileException::endOfFile,
       .text = "An attempt was made to access C:\\a b.txt past its end."},
      {.osError = ERROR_INVALID_NAME, .cause = CFileException::badPath, .text = "C:\\a b.txt contains an invalid path."},
      {.osError = ERROR_FILE_EXISTS, .cause = CFileException::accessDenied, .text = "Access to C:\\a b.txt was denied."},
      {.osError = 9999, .cause = CFileException::generic,
       .text = "An unexpected error occurred while accessing C:\\a b.txt."},
  };
  for (const CauseCase& c : cases) {
    SCOPED_TRACE(c.osError);
    EXPECT_EQ(CFileException::OsErrorToException(c.osError), c.cause);
    try {
      CFileException::ThrowOsError(c.osError, "C:\\a b.txt");
    } catch (CFileException* e) {
      EXPECT_EQ(e->m_cause, c.cause);
      EXPECT_EQ(e->m_lOsError, c.osError);
      EXPECT_EQ(std::string(e->m_strFileName), "C:\\a b.txt");
      char text[256];
      EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
      EXPECT_STREQ(text, c.text);
      e->Delete();
    }
  }
  CFileException unnamed(CFileException::accessDenied);
  char text[64];
  unnamed.GetErrorMessage(text, sizeof text);
  EXPECT_STREQ(text, "Access to an unnamed file was denied.");
  EXPECT_EQ(unnamed.m_lOsError, -1);
}

TEST(COleExceptionTest, SystemTextOfTheScode) {
  COleException e;
  EXPECT_EQ(e.m_sc, S_OK);
  e.m_sc = E_OUTOFMEMORY;
  char system[256];
  ASSERT_NE(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, E_OUTOFMEMORY, 0, system,
                          sizeof system, NULL),
            0u);
  char text[128];
  std::memset(text, 'x', sizeof text);
  EXPECT_TRUE(e.GetErrorMessage(text, sizeof text));
  EXPECT_STREQ(text, system);

  // Cut to the buffer.
  std::memset(text, 'x', sizeof text);
  EXPECT_TRUE(e.GetErrorMessage(text, 4));
  EXPECT_EQ(std::string(text), std::string(system, 3));
  EXPECT_EQ(text[4], 'x');

  // A code without a system text: an empty string and FALSE.
  e.m_sc = static_cast<SCODE>(0x8123ABCD);
  std::memset(text, 'x', sizeof text);
  UINT help = 0xdeadbeef;
  EXPECT_FALSE(e.GetErrorMessage(text, sizeof text, &help));
  EXPECT_EQ(text[0], '\0');
  EXPECT_EQ(text[1], 'x');
  EXPECT_EQ(help, 0u);
}

TEST(COleExceptionTest, ProcessMapsAnyExceptionToAnScode) {
  COleException ole;
  ole.m_sc = DISP_E_TYPEMISMATCH;
  CMemoryException memory;
  CNotSupportedException notSupported;
  CFileException file;
  CUserException user;
  EXPECT_EQ(COleException::Process(&ole), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(COleException::Process(&memory), E_OUTOFMEMORY);
  EXPECT_EQ(COleException::Process(&notSupported), E_NOTIMPL);
  EXPECT_EQ(COleException::Process(&file), E_UNEXPECTED);
  EXPECT_EQ(COleException::Process(&user), E_UNEXPECTED);
}

// The exception macros delete what they caught unless THROW_LAST passes it on.
TEST(CExceptionTest, MacrosDeleteCaughtExceptionsUnlessRethrown) {
  CCountedException::s_destroyed = 0;
  int handler = 0;
  TRY { THROW(new CCountedException); }
  CATCH(CFileException, e) { handler = 1; }
  AND_CATCH(CException, e) {
    handler = 2;
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
  }
  END_CATCH
  EXPECT_EQ(handler, 2);
  EXPECT_EQ(CCountedException::s_destroyed, 1);

  CException* passedOn = nullptr;
  try {
    TRY { THROW(new CCountedException); }
    CATCH_ALL(e) { THROW_LAST(); }
    END_CATCH_ALL
  } catch (CException* e) {
    passedOn = e;
  }
  ASSERT_NE(passedOn, nullptr);
  EXPECT_EQ(CCountedException::s_destroyed, 1);  // still alive after the inner handler
  passedOn->Delete();
  EXPECT_EQ(CCountedException::s_destroyed, 2);
}

}  // namespace
