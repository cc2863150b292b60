// String utilities of the toolbox. White space is the C locale's (blank, tab, line feed,
// vertical tab, form feed, carriage return). Heap copies are freed with free().
#pragma once

#include <windows.h>

// A heap copy; NULL for NULL or when memory runs out.
char* StrCopyNew(const char* text);
// Case-insensitive comparison by upper-case letters; NULL sorts before any string.
int StrCompareNoCase(const char* a, const char* b);
// A heap copy without leading and trailing white space; NULL for NULL or when memory runs out.
char* StrCopyTrimmed(const char* text);
// The first character that is not white space / that is white space (or the end).
char* StrSkipBlanks(const char* text);
char* StrSkipToBlank(const char* text);
// Copies at most size-1 characters and terminates when it had to cut (the areas may overlap):
// 1 when the whole text was copied, 0 when it was cut or size is below 1.
int StrCopyBounded(char* destination, const char* source, int size);
// 1 if the text holds a character other than white space; 0 for NULL.
int StrHasText(const char* text);

// Strict integers: optional white space, an optional sign directly before the first digit,
// decimal digits, optional white space, nothing else; signed values from -2147483648 to
// 2147483647, unsigned ones from 0 to 4294967295 without a minus sign. 1 with the value, 0 for
// NULL, empty or white space only, -1 for anything else (the value is left 0 then).
int StrToLongStrict(const char* text, LONG* value);
int StrToULongStrict(const char* text, ULONG* value);

// Bytes as text, 3 bytes to 4 characters '0' + a 6-bit number: first the top two bits of the
// three bytes packed ((b0>>6)<<4 | (b1>>6)<<2 | b2>>6), then the low six bits of each. A final
// single byte becomes 2 characters, a final pair 3. A heap string, NULL when memory runs out.
char* DataToText(const void* data, int count);
// The reverse: 3 bytes per full group of 4 characters plus one less than the characters left
// over. 1 with a heap copy of the bytes (NULL for none) and their count; -1 for a character
// outside '0' to 'o'; TBX_NO_MEMORY.
int TextToData(const char* text, void** data, int* count);
