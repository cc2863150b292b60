// The string stream and the argument split that the project-file reader cuts lines with: every
// line of the input (read through the file layer) under code pages 1252 and 932.
#include <cstring>
#include <vector>

#include "TqStringStream.h"
#include "dsp/DspLine.h"
#include "editors/CPPCompilerEntryEditor.h"
#include "harness.h"
#include "sandbox/sandbox.h"

namespace {

bool IsWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The tokens stand in the line in order, and only white space lies before, between and after them.
void CheckCover(const CString& line, const std::vector<CString>& tokens, bool quotesGroup, const char* what) {
  const char* text = line;
  const size_t length = std::strlen(text);
  size_t at = 0;
  for (const CString& token : tokens) {
    fuzz::Check(!token.IsEmpty(), std::string(what) + ": an empty token");
    while (at < length && IsWhite(text[at])) ++at;
    fuzz::Check(at + token.GetLength() <= length &&
                    std::memcmp(text + at, static_cast<LPCTSTR>(token), token.GetLength()) == 0,
                std::string(what) + ": a token that does not stand next in the line");
    if (!quotesGroup)
      for (int i = 0; i < token.GetLength(); ++i)
        fuzz::Check(!IsWhite(token[i]) || (i > 0 && ::IsDBCSLeadByte(static_cast<BYTE>(token[i - 1]))),
                    std::string(what) + ": white space inside a token");
    at += token.GetLength();
  }
  while (at < length && IsWhite(text[at])) ++at;
  fuzz::Check(at == length, std::string(what) + ": text left after the last token");
}

void CheckStreamTokens(const CString& line) {
  TQ::CTqStringStream stream(line);
  std::vector<CString> tokens;
  for (;;) {
    CString token("\0", 1);  // no token holds a NUL: this one is "unchanged"
    stream >> token;
    if (token.GetLength() == 1 && token[0] == '\0') break;
    tokens.push_back(token);
    fuzz::Check(tokens.size() <= static_cast<size_t>(line.GetLength()), "the token reader does not advance");
  }
  fuzz::Check(stream.AtEnd() || std::strlen(line) < static_cast<size_t>(line.GetLength()),
              "the token reader stopped before the end");
  CheckCover(line, tokens, false, "string stream");
}

template <typename T>
void CheckIntegerRoundTrip(const CString& text) {
  TQ::CTqStringStream in(text);
  T value{};
  in >> value;
  TQ::CTqStringStream out;
  out << value;
  T back{};
  out >> back;
  fuzz::Check(back == value, "an integer written by the stream reads back as another");
}

void CheckTypedReads(const CString& line) {
  TQ::CTqStringStream stream(line);
  char c;
  unsigned char uc;
  float f;
  double d;
  stream >> c >> uc >> f >> d;
  CheckIntegerRoundTrip<int>(line);
  CheckIntegerRoundTrip<unsigned int>(line);
  CheckIntegerRoundTrip<short>(line);
  CheckIntegerRoundTrip<unsigned short>(line);
  CheckIntegerRoundTrip<long>(line);
  CheckIntegerRoundTrip<unsigned long>(line);
}

void CheckArguments(const CString& line) {
  std::vector<CString> tokens;
  SplitDspArguments(line, tokens);
  CheckCover(line, tokens, true, "argument split");
  CString joined;
  for (size_t i = 0; i < tokens.size(); ++i) joined += (i ? " " : "") + tokens[i];
  std::vector<CString> again;
  SplitDspArguments(joined, again);
  fuzz::Check(again == tokens, "arguments joined by blanks split into other arguments");

  CString switchText, argument;
  CCPPCompilerEntryEditor::SplitSetting(line, switchText, argument);
  fuzz::Check(argument.IsEmpty() || !IsWhite(argument[0]), "a setting's argument starts with white space");
  CDspLineTokens keywords(line);
  keywords.Is({"#", "ADD", "CPP"}, CDspLineTokens::textAfter);
  keywords.Is({"!IF"}, CDspLineTokens::nothingAfter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  const std::string path = fuzz::PutInput("Lines.txt", data, size);
  for (unsigned codePage : {1252u, 932u}) {
    sandbox::SetCodePage(codePage);
    CStdioFile file;
    fuzz::Check(file.Open(path.c_str(), CFile::modeRead | CFile::typeText) != FALSE, "the input cannot be opened");
    CString line;
    while (file.ReadString(line)) {
      CheckStreamTokens(line);
      CheckTypedReads(line);
      CheckArguments(line);
    }
    file.Close();
  }
  fuzz::CheckNoHandles();
  return 0;
}
