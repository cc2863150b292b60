// Writing a list as text: header, items with prefixes and separators, trailer.
#include "stdafx.h"

#include "toolbox/ItemListBlock.h"

namespace {

// Writes `text` with `number` for each "%d" in it ("%%" is one '%'); the characters written or a
// negative result. The text is never used as a format itself, so a stray conversion in it reads
// no argument that is not there.
int WriteNumbered(FILE* stream, const char* text, int number) {
  if (text == NULL || *text == '\0') return 0;
  if (strchr(text, '%') == NULL) return fputs(text, stream) < 0 ? -1 : static_cast<int>(strlen(text));
  char digits[16];
  const int digitCount = sprintf(digits, "%d", number);
  int total = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    int written;
    if (p[0] == '%' && p[1] == 'd') {
      written = fwrite(digits, 1, static_cast<size_t>(digitCount), stream) == static_cast<size_t>(digitCount) ? digitCount : -1;
      ++p;
    } else {
      if (p[0] == '%' && p[1] == '%') ++p;
      written = fputc(*p, stream) == EOF ? -1 : 1;
    }
    if (written < 0) return written;
    total += written;
  }
  return total;
}

}  // namespace

int ItemListDump(ItemList list, FILE* stream, const char* header, const char* trailer, const char* prefix,
                 const char* separator, ItemPrintFn printer) {
  if (stream == NULL) stream = stdout;
  if (printer == NULL) return fprintf(stream, "%s", "Error, no output function specified\n");
  ItemListHeader* h = ListHeader(list);
  const LONG count = h != NULL ? h->count : 0;
  int total = 0;
  int written = header != NULL && *header != '\0' ? fprintf(stream, "%s", header) : 0;
  if (written < 0) return written;
  total += written;
  for (LONG i = 0; i < count; ++i) {
    if (i > 0) {
      if ((written = WriteNumbered(stream, separator, i + 1)) < 0) return written;
      total += written;
    }
    if ((written = WriteNumbered(stream, prefix, i + 1)) < 0) return written;
    total += written;
    if ((written = printer(stream, ListItem(h, i))) < 0) return written;
    total += written;
  }
  if ((written = WriteNumbered(stream, trailer, count)) < 0) return written;
  return total + written;
}
