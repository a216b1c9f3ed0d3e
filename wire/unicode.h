// Texts in a request's own encoding (the ANSI code page, or UTF-8 for a
// Unicode request) checked and widened for the dialog, which is always the
// wide one.
#pragma once
#include <windows.h>

// TRUE when the text is well-formed UTF-8.
BOOL IsUtf8(const char *text);
// The text in UTF-16 in a buffer of size units, terminated; returns the units
// written. A UTF-8 text cut to fit a buffer loses the incomplete character at
// its end. A buffer of a unit per byte and one more always fits; a text that
// does not fit gives the empty text.
int WidenText(UINT codePage, const char *text, WCHAR *out, int size);
