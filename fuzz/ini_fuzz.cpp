// INI text, read by IniFileRead from a file and by IniFileReadLines from a line source of our own
// (lines end at CR, LF or NUL, a CR LF or LF CR pair being one end): the two give the same object.
// Every item is asked of each getter, whose answers must agree with each other; the object read
// sorted, and with its lookup index, finds what the plain one finds. The object is written, read
// and written again: the two writes are identical and nothing is left beside them.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"
#include "ini/IniFile.h"
#include "ini/IniFileData.h"
#include "sandbox/sandbox.h"

namespace {

const char kInput[] = "Input.ini";
const char kOutput[] = "F:\\Output.ini";

// The reference line source over the input's bytes.
struct Lines {
  const std::string* bytes;
  size_t at;
  std::string line;
};

int NextLine(void* state, char** line) {
  Lines& lines = *static_cast<Lines*>(state);
  const std::string& bytes = *lines.bytes;
  if (lines.at >= bytes.size()) return 0;
  size_t end = lines.at;
  while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0') ++end;
  lines.line.assign(bytes, lines.at, end - lines.at);
  lines.at = end + 1;
  if (end < bytes.size() && lines.at < bytes.size()) {
    const char first = bytes[end], second = bytes[lines.at];
    if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r')) ++lines.at;
  }
  *line = lines.line.data();
  return 1;
}

// Every section and item with its line and quoted flag, as one text.
std::string Contents(IniFile file) {
  std::string text;
  for (int s = 1; s <= ItemListCount(file->sections); ++s) {
    const IniSection* section = PointerAt<IniSection>(file->sections, s);
    text += "[" + std::string(section->name) + "]@" + std::to_string(section->line) + "\n";
    for (int i = 1; i <= ItemListCount(section->items); ++i) {
      const IniItem* item = PointerAt<IniItem>(section->items, i);
      text += std::string(item->tag) + (item->quoted ? "=\"" : "=") + item->value + "@" + std::to_string(item->line) +
              "\n";
    }
  }
  return text;
}

// A fresh object for a setter's round trip.
class Scratch {
 public:
  Scratch() : file_(IniFileMake(0)) { fuzz::Check(file_ != NULL, "no INI object"); }
  ~Scratch() { IniFileFree(file_); }
  operator IniFile() const { return file_; }

 private:
  IniFile file_;
};

std::string Prefix(const std::string& text, int size) {
  return text.substr(0, static_cast<size_t>(size - 1) < text.size() ? static_cast<size_t>(size - 1) : text.size());
}

// One item through every getter: the copies, the bounded copies and the scratch text agree, each
// typed answer is 1, 0 or -1 and a typed value puts and gets back the same, and decoded bytes
// encode and decode back the same.
void CheckGetters(IniFile file, const char* section, const char* tag) {
  const std::string where = std::string(" of [") + section + "] " + tag;
  const char* raw = NULL;
  fuzz::Check(IniFileRaw(file, section, tag, &raw) == 1 && raw != NULL, "an item is not found by its name" + where);
  const std::string rawText = raw;
  char* copy = NULL;
  fuzz::Check(IniFileRawCopy(file, section, tag, &copy) == 1 && rawText == copy, "the raw copy differs" + where);
  free(copy);
  const char* text = NULL;
  fuzz::Check(IniFileText(file, section, tag, &text) == 1, "the text getter fails" + where);
  const std::string unescaped = text;
  fuzz::Check(unescaped.size() <= rawText.size(), "unescaping made a text longer" + where);
  fuzz::Check(IniFileTextCopy(file, section, tag, &copy) == 1 && unescaped == copy, "the text copy differs" + where);
  free(copy);
  for (int size : {1, 2, 8, 4096}) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1, 'x');
    fuzz::Check(IniFileRawInto(file, section, tag, buffer.data(), size) == 1 && buffer.data() == Prefix(rawText, size),
                "the bounded raw copy differs" + where);
    fuzz::Check(IniFileTextInto(file, section, tag, buffer.data(), size) == 1 &&
                    buffer.data() == Prefix(unescaped, size),
                "the bounded text copy differs" + where);
    fuzz::Check(buffer[static_cast<size_t>(size)] == 'x', "a bounded copy wrote past its buffer" + where);
  }
  {
    Scratch put;
    fuzz::Check(IniFileSetText(put, "S", "T", unescaped.c_str()) == 1, "a text cannot be put" + where);
    fuzz::Check(IniFileText(put, "S", "T", &text) == 1 && unescaped == text, "a text does not escape back" + where);
  }

  LONG number = 0;
  int answer = IniFileLong(file, section, tag, &number);
  fuzz::Check(answer >= -1 && answer <= 1, "the integer getter answers " + std::to_string(answer) + where);
  if (answer == 1) {
    Scratch put;
    LONG back = 0;
    fuzz::Check(IniFileSetLong(put, "S", "T", number) == 1 && IniFileLong(put, "S", "T", &back) == 1 && back == number,
                "an integer does not put back" + where);
  }
  ULONG unsignedNumber = 0;
  answer = IniFileULong(file, section, tag, &unsignedNumber);
  fuzz::Check(answer >= -1 && answer <= 1, "the unsigned getter answers " + std::to_string(answer) + where);
  if (answer == 1) {
    Scratch put;
    ULONG back = 0;
    fuzz::Check(IniFileSetULong(put, "S", "T", unsignedNumber) == 1 && IniFileULong(put, "S", "T", &back) == 1 &&
                    back == unsignedNumber,
                "an unsigned integer does not put back" + where);
  }
  double real = 0;
  answer = IniFileReal(file, section, tag, &real);
  fuzz::Check(answer >= -1 && answer <= 1, "the real getter answers " + std::to_string(answer) + where);
  if (answer == 1) {
    fuzz::Check(!std::isnan(real), "a real reads as not a number" + where);
    // Put with 16 significant digits, a real reads back as the number those digits give.
    Scratch put;
    double back = 0;
    char digits[64], backDigits[64];
    std::snprintf(digits, sizeof digits, "%.16g", real);
    fuzz::Check(IniFileSetReal(put, "S", "T", real) == 1 && IniFileReal(put, "S", "T", &back) == 1, "a real does not put back" + where);
    std::snprintf(backDigits, sizeof backDigits, "%.16g", back);
    fuzz::Check(std::strcmp(digits, backDigits) == 0, "a real puts back as another number" + where);
  }
  int flag = 0;
  answer = IniFileFlag(file, section, tag, &flag);
  fuzz::Check(answer >= -1 && answer <= 1 && (flag == 0 || flag == 1), "the flag getter answers " + where);
  if (answer == 0) fuzz::Check(rawText.find_first_not_of(" \t\n\v\f\r") == std::string::npos,
                               "a typed getter finds no value in a text" + where);

  void* bytes = NULL;
  int count = -1;
  answer = IniFileBytes(file, section, tag, &bytes, &count);
  fuzz::Check(answer == 1 || answer == INI_BAD_VALUE, "the bytes getter answers " + std::to_string(answer) + where);
  if (answer == 1) {
    const size_t length = rawText.size();
    const size_t expected = length / 4 * 3 + (length % 4 > 1 ? length % 4 - 1 : 0);
    fuzz::Check(count >= 0 && static_cast<size_t>(count) == expected, "the bytes decode to another size" + where);
    Scratch put;
    void* back = NULL;
    int backCount = -1;
    fuzz::Check(IniFileSetBytes(put, "S", "T", bytes, count) == 1 && IniFileBytes(put, "S", "T", &back, &backCount) == 1 &&
                    backCount == count && (count == 0 || std::memcmp(back, bytes, static_cast<size_t>(count)) == 0),
                "bytes do not encode back" + where);
    free(back);
  }
  free(bytes);
}

// The first line where two texts differ, shown in both.
std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const size_t from = a.rfind('\n', at == 0 ? 0 : at - 1);
  const size_t start = from == std::string::npos ? 0 : from + 1;
  return "\n  first:  " + a.substr(start, a.find('\n', at) - start) + "\n  second: " + b.substr(start, b.find('\n', at) - start);
}

// What a lookup of every section and item name finds, as one text.
std::string Lookups(IniFile names, IniFile file) {
  std::string found;
  for (int s = 1; s <= ItemListCount(names->sections); ++s) {
    const IniSection* section = PointerAt<IniSection>(names->sections, s);
    found += std::to_string(IniFileItemTotal(file, section->name)) + "\n";
    for (int i = 1; i <= ItemListCount(section->items); ++i) {
      const char* value = NULL;
      IniFileRaw(file, section->name, PointerAt<IniItem>(section->items, i)->tag, &value);
      // The last line is that of the item found; a lookup that finds nothing leaves it as it was.
      found += value != NULL ? std::string(value) + "@" + std::to_string(IniFileLastLine(file)) + "\n" : "(none)\n";
    }
  }
  return found;
}

// Writes the object to the output file: its bytes, with nothing left beside it.
std::string Written(IniFile file) {
  const int result = IniFileWrite(file, kOutput);
  fuzz::Check(result == 0, "an object read cannot be written: " + std::to_string(result));
  for (const auto& entry : std::filesystem::directory_iterator(sandbox::HostPath("F:\\"))) {
    const std::string name = entry.path().filename().string();
    fuzz::Check(name == kInput || name == "Output.ini", "the writer left " + name + " behind");
  }
  return fuzz::DiskBytes(kOutput);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  const std::string path = fuzz::PutInput(kInput, data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);

  IniFile file = IniFileMake(0);
  IniFile fromLines = IniFileMake(0);
  IniFile sorted = IniFileMake(1);
  fuzz::Check(file != NULL && fromLines != NULL && sorted != NULL, "no INI object");
  fuzz::Check(IniFileRead(file, path.c_str()) == 0, "a file that is there does not read");
  Lines lines = {&input, 0, ""};
  fuzz::Check(IniFileReadLines(fromLines, NextLine, &lines) == 0, "the lines do not read");
  const std::string contents = Contents(file);
  fuzz::Check(contents == Contents(fromLines), "the file and its lines read as different objects");
  IniFileFree(fromLines);
  fuzz::Check(fuzz::DiskBytes(path) == input, "reading changed the file");
  fuzz::CheckNoHandles();

  for (int s = 1; s <= ItemListCount(file->sections); ++s) {
    IniSection* section = PointerAt<IniSection>(file->sections, s);
    fuzz::Check(IniFileHasSection(file, section->name) == 1, "a section is not found by its name");
    // Lookups find the first section of a name: a later one's items are not reached by name.
    if (IniFindSection(file, section->name) != section) continue;
    for (int i = 1; i <= ItemListCount(section->items); ++i)
      CheckGetters(file, section->name, PointerAt<IniItem>(section->items, i)->tag);
  }

  // The same lookups through the sorted object and through the index find the same first items.
  fuzz::Check(IniFileRead(sorted, path.c_str()) == 0, "a file that is there does not read sorted");
  const std::string plain = Lookups(file, file);
  {
    const std::string other = Lookups(file, sorted);
    if (other != plain) fuzz::Finding("the sorted object finds other items:" + FirstDifference(plain, other));
  }
  fuzz::Check(IniFileIndexOn(file) == 1, "no lookup index");
  {
    const std::string other = Lookups(file, file);
    if (other != plain) fuzz::Finding("the lookup index finds other items:" + FirstDifference(plain, other));
  }
  IniFileIndexOff(file);

  // Written, read and written again: the same bytes, sorted or not.
  for (IniFile written : {file, sorted}) {
    const std::string first = Written(written);
    IniFile again = IniFileMake(written == sorted);
    fuzz::Check(again != NULL && IniFileRead(again, kOutput) == 0, "a written file does not read");
    fuzz::Check(Written(again) == first, "a written file does not write back the same");
    IniFileFree(again);
  }
  IniFileFree(file);
  IniFileFree(sorted);
  fuzz::CheckNoHandles();
  return 0;
}
