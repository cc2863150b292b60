// The texts a caught failure is reported with, by kind of exception and file cause.
#include <gtest/gtest.h>

#include "FailureText.h"
#include "TqException.h"

namespace {

TEST(FailureText, ByKindOfFailure) {
  TQ::CTqException library;
  library.SetMessage("The project file(s) are read-only.");
  CUserException user;
  struct Row {
    const char* name;
    CException* exception;
    std::string text;
  } rows[] = {
      {"the library's own: its message", &library, "The project file(s) are read-only."},
      {"any other MFC exception", &user, "Unknown Error"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(std::string(FailureText(row.exception)), row.text);
  }
  EXPECT_EQ(std::string(UnknownFailureText()), "Unknown Error");
}

// Causes 1 to 14 have the texts 5020 to 5033 in order; other causes none.
TEST(FailureText, AFileFailureNamesTheFileAndItsCause) {
  struct Row {
    int cause;
    std::string text;
  } rows[] = {
      {CFileException::none, ""},
      {CFileException::generic, "An unspecified error occurred."},
      {CFileException::fileNotFound, "The file could not be located."},
      {CFileException::accessDenied, "The file could not be accessed."},
      {CFileException::sharingViolation, "SHARE.EXE was not loaded, or a shared region was locked."},
      {CFileException::diskFull, "The disk is full."},
      {CFileException::endOfFile, "The end of file was reached."},
      {CFileException::endOfFile + 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.cause);
    CFileException e(row.cause, -1, "P:\\Thermo\\Thermo.dsp");
    EXPECT_EQ(std::string(FailureText(&e)), "Could not convert project\n\nP:\\Thermo\\Thermo.dsp:\n" + row.text);
  }
}

}  // namespace
