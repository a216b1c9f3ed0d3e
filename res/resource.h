// Identifiers shared by the resource script and the code.
#pragma once

// Dialog templates.
#define IDD_EXPLORER_EXTRAS 101     // child template of the Explorer-style dialog
#define IDD_OLDSTYLE_MULTI  102     // old-style multi-select dialog
#define IDD_OLDSTYLE_SINGLE 103     // old-style single-select dialog

// The extra controls, the same in every template.
#define IDC_WORKBOOKS 1000          // owner-drawn combo box of workbook entries
#define IDC_CHECKBOX  1001          // check box, hidden unless asked for
#define IDC_LABEL     1002          // label of the workbook combo box
#define IDC_NOTE      1004          // note text
