// Stands in for the person in the unattended demo and the screenshots:
//   demo_driver show TITLE [ENTRY]   waits for the dialog, picks workbook
//                                    ENTRY if given, prints "WxH+X+Y"
//   demo_driver confirm TITLE FILE   types FILE and presses OK
//   demo_driver cancel TITLE         presses Cancel
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "res/resource.h"
#include "support/dialogdriver.h"

int main(int argc, char **argv)
{
    const char *command = argc > 2 ? argv[1] : "";
    bool show = !strcmp(command, "show"), confirm = !strcmp(command, "confirm");
    if (!(show || confirm || !strcmp(command, "cancel")) || (confirm && argc < 4)) {
        fprintf(stderr, "usage: demo_driver show|confirm|cancel TITLE [ENTRY|FILE]\n");
        return 2;
    }
    HWND dialog = WaitForDialog(0, nullptr, argv[2], 20000);
    if (!dialog) {
        fprintf(stderr, "demo_driver: no dialog titled \"%s\"\n", argv[2]);
        return 1;
    }
    if (show) {
        if (argc > 3)
            PickComboEntry(CustomControl(dialog, IDC_WORKBOOKS), atoi(argv[3]));
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(500);
        RECT r;
        GetWindowRect(dialog, &r);
        printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    } else if (confirm) {
        if (!TypeFileName(dialog, argv[3])) {
            fprintf(stderr, "demo_driver: cannot type the file name\n");
            return 1;
        }
        PressOk(dialog);
    } else {
        PressCancel(dialog);
    }
    return 0;
}
