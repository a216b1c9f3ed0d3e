// The record that reaches the hook procedures through OPENFILENAME.lCustData.
#pragma once

struct DialogExtras {
    char *lpstrWorkbooks;       // workbook list, undecoded
    int fShowCheckBox;          // nonzero: show the check box
    int nCheckState;            // in: initial state; out: state confirmed (0 or 1)
    char *lpstrLabel;           // caption of the workbook label
    char *lpstrCheckBoxText;    // caption of the check box
    char *lpstrNote;            // note text, or null when there is none
};

#if !defined(_WIN64) && defined(_WIN32)
static_assert(sizeof(DialogExtras) == 24, "six 32-bit fields");
#endif
