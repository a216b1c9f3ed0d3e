// Request decoding: the slot texts of a request list into the OPENFILENAME
// and the DialogExtras record. Free of the platform beyond server/platform.h,
// so that it also builds natively for the sanitizer tests and the fuzzer.
#pragma once
#include "server/platform.h"
#include "server/dialogextras.h"

// Size of each DialogExtras text buffer: 127 characters and the NUL.
#define EXTRAS_TEXT_SIZE 128

// The three text buffers of a DialogExtras record, owned with it.
struct ExtrasTexts {
    char checkBoxText[EXTRAS_TEXT_SIZE];
    char label[EXTRAS_TEXT_SIZE];
    char note[EXTRAS_TEXT_SIZE];
};

// Counted lists. Every destination holds size bytes (at least one); the
// result is cut to fit and always terminated.
int CopyLine(char *destination, int size, const char *text);
// The line after the first line of a text, or null when there is none.
const char *NextLine(const char *text);
// The count of a counted list: its first line read as "%i", 0 without one.
int ReadListCount(const char *text);
void DecodeCountedList(char *destination, int size, const char *text);
void DecodeCountedText(char *destination, int size, const char *text);

// The workbook list (slot 14): a count line, then per entry a name line
// and a flag line whose "1" marks a special entry (drawn greyed, taken
// without its extension). Lines are read whole but kept to
// WORKBOOK_LINE_SIZE - 1 characters, and the list ends where its text
// ends, whatever the count.
#define WORKBOOK_LINE_SIZE 256
struct WorkbookList {
    const char *cursor;     // the next line
    int left;               // entries the count still allows
};
void OpenWorkbookList(WorkbookList *list, const char *text);
// The next entry's name into a WORKBOOK_LINE_SIZE buffer; FALSE at the end.
BOOL ReadWorkbook(WorkbookList *list, char *name, BOOL *fSpecial);

// Reads one slot into a SLOT_BUFFER_SIZE buffer and returns its length. A
// null request, or a slot past the end of the list, reads as empty.
int ReadSlot(HDROP request, int index, char *slot);
// A slot read as scanf's "%i" would; 0 when it holds no number.
int ReadSlotInteger(HDROP request, int index, char *slot);

// Slots 2 to 13 into an OPENFILENAME that the caller zeroed, with Flags,
// template and hook chosen by the shell. Uses the caller's slot buffer.
void DecodeDialogRequest(HDROP request, OPENFILENAMEA *ofn, char *slot);
// Slots 14 to 19 into the DialogExtras record, zeroed first: slot 14 stays
// as read in the workbooks buffer (SLOT_BUFFER_SIZE), the texts go to texts.
void DecodeDialogExtras(HDROP request, DialogExtras *extras, ExtrasTexts *texts,
                        char *slot, char *workbooks);
// Frees the text buffers that DecodeDialogRequest allocated.
void ReleaseDialogRequest(OPENFILENAMEA *ofn);
