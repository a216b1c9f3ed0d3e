// Stands in for the person in the unattended demo: waits for the server's
// dialog, then confirms a file in it.
//   demo_driver wait TITLE             returns once the dialog is shown
//   demo_driver confirm TITLE FILE     types FILE and presses OK
#include <cstdio>
#include <cstring>
#include "support/dialogdriver.h"

int main(int argc, char **argv)
{
    if (argc < 3 || (strcmp(argv[1], "confirm") == 0 && argc < 4)) {
        fprintf(stderr, "usage: demo_driver wait|confirm TITLE [FILE]\n");
        return 2;
    }
    HWND dialog = WaitForDialog(0, nullptr, argv[2], 20000);
    if (!dialog) {
        fprintf(stderr, "demo_driver: no dialog titled \"%s\"\n", argv[2]);
        return 1;
    }
    if (strcmp(argv[1], "confirm") == 0) {
        if (!TypeFileName(dialog, argv[3])) {
            fprintf(stderr, "demo_driver: cannot type the file name\n");
            return 1;
        }
        PressOk(dialog);
    }
    return 0;
}
