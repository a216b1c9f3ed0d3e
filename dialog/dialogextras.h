// The record that reaches the hook procedures through OPENFILENAME.lCustData,
// and the reading of its workbook list. Free of the platform beyond its
// types, so that the list's reading also builds natively for the fuzzer.
#pragma once
#include <windows.h>
#include "wire/protocol.h"

struct DialogExtras {
    char *lpstrWorkbooks;       // workbook list, undecoded
    int fShowCheckBox;          // nonzero: show the check box
    int nCheckState;            // in: initial state; out: state confirmed (0 or 1)
    char *lpstrLabel;           // caption of the workbook label
    char *lpstrCheckBoxText;    // caption of the check box
    char *lpstrNote;            // note text, or null when there is none
    int fReliefLook;            // nonzero: the relief library answers the control colours
    UINT codePage;              // of the texts: CP_ACP, or CP_UTF8 for a Unicode request
};

#if !defined(_WIN64) && defined(_WIN32)
static_assert(sizeof(DialogExtras) == 32, "eight 32-bit fields");
#endif

// The workbook list (slot 14): a count line, then per entry a name line
// and a flag line whose "1" marks a special entry (drawn greyed, taken
// without its extension). Lines are read whole but kept to
// WORKBOOK_LINE_SIZE - 1 characters, and the list ends where its text
// ends, whatever the count.
#define WORKBOOK_LINE_SIZE (JXR_WORKBOOK_NAME_MAX + 1)
struct WorkbookList {
    const char *cursor;     // the next line
    int left;               // entries the count still allows
};
void OpenWorkbookList(WorkbookList *list, const char *text);
// The next entry's name into a WORKBOOK_LINE_SIZE buffer; FALSE at the end.
BOOL ReadWorkbook(WorkbookList *list, char *name, BOOL *fSpecial);
