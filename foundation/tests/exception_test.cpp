#include <gtest/gtest.h>

#include <cstring>

#include "TqException.h"
#include "sandbox/sandbox.h"

using namespace TQ;

namespace {

// Runs `body`, which must throw an exception of type E by pointer, and hands it to `check`.
template <typename E, typename Body, typename Check>
void ExpectThrown(Body body, Check check) {
  try {
    body();
    ADD_FAILURE() << "nothing was thrown";
  } catch (E* e) {
    check(*e);
    e->Delete();
  }
}

TEST(TqException, SystemExceptionCarriesTheSystemTextWithItsLineBreak) {
  CTqSystemException e(5, FALSE);
  EXPECT_STREQ(e.GetMessage(), "Access is denied.\r\n");
  EXPECT_EQ(e.GetCode(), 5u);
}

TEST(TqException, SystemExceptionForAllOnesTakesTheLastErrorAtConstruction) {
  SetLastError(183);
  CTqSystemException e(0xFFFFFFFF, FALSE);
  SetLastError(2);
  EXPECT_EQ(e.GetCode(), 183u);
  EXPECT_STREQ(e.GetMessage(), "Cannot create a file when that file already exists.\r\n");
}

TEST(TqException, CodeWithoutSystemTextGivesAnEmptyMessage) {
  CTqSystemException e(0x20001234, FALSE);
  EXPECT_STREQ(e.GetMessage(), "");
  TCHAR buffer[8];
  EXPECT_FALSE(e.GetErrorMessage(buffer, sizeof buffer));
}

TEST(TqException, GetErrorMessageCopiesTruncatesAndAnswersWhetherThereIsText) {
  CTqException e(FALSE);
  e.SetMessage("abcdef");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_TRUE(e.GetErrorMessage(buffer, 0));
  EXPECT_EQ(buffer[0], 'x') << "max 0 writes nothing";
  EXPECT_TRUE(e.GetErrorMessage(buffer, 1));
  EXPECT_EQ(buffer[0], '\0') << "max 1 writes only the NUL";
  EXPECT_EQ(buffer[1], 'x');
  EXPECT_TRUE(e.GetErrorMessage(buffer, 4));
  EXPECT_STREQ(buffer, "abc");
  EXPECT_TRUE(e.GetErrorMessage(buffer, 8));
  EXPECT_STREQ(buffer, "abcdef");
  UINT help = 0xdeadbeef;
  CTqException empty(FALSE);
  EXPECT_FALSE(empty.GetErrorMessage(buffer, 8, &help));
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(help, 0u) << "the base clears the help context";
}

TEST(TqException, GetErrorMessageNeverCutsADoubleByteCharacter) {
  sandbox::SetCodePage(932);
  CTqException e(FALSE);
  e.SetMessage("ab\x95\x5C");
  char buffer[4];
  e.GetErrorMessage(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "ab");
}

TEST(TqException, MessagesOfTheFamily) {
  struct Row {
    const char* name;
    CString message;
    const char* expected;
  } rows[] = {
      {.name = "index", .message = CTqIndexException(5, 3, FALSE).GetMessage(),
       .expected = "Specified index: 5 is out of range. Valid range is 0 to 2"},
      {.name = "code", .message = CTqExceptionT<DWORD>(1804, FALSE).GetMessage(),
       .expected = "Exception generated! Error code = 1804"},
      {.name = "code all ones", .message = CTqExceptionT<DWORD>(0xFFFFFFFF, FALSE).GetMessage(),
       .expected = "Exception generated! Error code = 4294967295"},
      {.name = "interface",
       .message = CTqInterfaceNotSupportedException("Tree", "IDropTarget", FALSE).GetMessage(),
       .expected = "Tree does not support the requested interface: IDropTarget"},
      {.name = "usable", .message = CTqObjectNotInUsableStateException("Depot", FALSE).GetMessage(),
       .expected = "Depot instance is not in a usable state."},
      {.name = "version", .message = CTqControlVersionException("2.0", FALSE).GetMessage(),
       .expected = "ActiveX control is not the correct version.\nExpected version: 2.0"},
      {.name = "two versions", .message = CTqControlVersionException("2.0", "1.5", FALSE).GetMessage(),
       .expected = "ActiveX control is not the correct version.\nExpected version: 2.0\nFound version: 1.5"},
      {.name = "not a control", .message = CTqNotActiveXControlException(FALSE).GetMessage(),
       .expected = "The object is not an ActiveX control!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_STREQ(row.message, row.expected);
  }
}

TEST(TqException, ThrowSystemExceptionThrowsAnAutoDeletingPointer) {
  ExpectThrown<CTqSystemException>([] { ThrowSystemException(2); },
                                   [](CTqSystemException& e) {
                                     EXPECT_TRUE(e.m_bAutoDelete);
                                     EXPECT_EQ(e.GetCode(), 2u);
                                     EXPECT_STREQ(e.GetMessage(), "The system cannot find the file specified.\r\n");
                                   });
  // Caught as the MFC base, as the command handlers do.
  try {
    ThrowSystemException(5);
  } catch (CException* e) {
    char text[64];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "Access is denied.\r\n");
    e->Delete();
  }
}

TEST(TqException, ThrowOleException) {
  ExpectThrown<CTqOleException>([] { ThrowOleException(0x80040200, "Connecting the sink"); },
                                [](CTqOleException& e) {
                                  EXPECT_EQ(e.m_sc, static_cast<SCODE>(0x80040200));
                                  EXPECT_STREQ(e.GetMessage(), "Connecting the sink");
                                  char text[64];
                                  EXPECT_TRUE(e.GetErrorMessage(text, sizeof text));
                                });
  ExpectThrown<CTqOleException>([] { ThrowOleException(E_FAIL, "Opening the workspace"); },
                                [](CTqOleException& e) {
                                  EXPECT_STREQ(e.GetMessage(), "Unspecified error\r\n\nOpening the workspace");
                                });
}

TEST(TqException, OleExceptionAnswersTrueWhenOnlyTheBaseHasText) {
  CTqOleException e(FALSE);
  e.m_sc = E_NOINTERFACE;
  char text[16] = "poison";
  EXPECT_TRUE(e.GetErrorMessage(text, sizeof text));
  EXPECT_STREQ(text, "") << "the message is copied, not the base's text";
}

}  // namespace
