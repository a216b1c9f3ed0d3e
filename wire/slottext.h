// The texts inside request slots: numbers as scanf reads them, and counted
// lists (a count line, then items, lines separated by a line feed). Free of
// the platform beyond its types, so that it also builds natively for the
// sanitizer tests and the fuzzers.
#pragma once
#include <windows.h>

// The leading number of a text as scanf reads it with "%i" (base 0) or
// "%lu" (base 10); 0 when there is none. With fFirstLine the number must
// stand in the first line.
DWORD ScanNumber(const char *text, int base, BOOL fFirstLine);

// Every destination holds size bytes (at least one); the result is cut to
// fit and always terminated.
int CopyLine(char *destination, int size, const char *text);
// The line after the first line of a text, or null when there is none.
const char *NextLine(const char *text);
// The count of a counted list: its first line read as "%i", 0 without one.
int ReadListCount(const char *text);
// List form: the items each with its NUL, and a final NUL.
void DecodeCountedList(char *destination, int size, const char *text);
// Single form: the first item for any nonzero count, else the empty text.
void DecodeCountedText(char *destination, int size, const char *text);
