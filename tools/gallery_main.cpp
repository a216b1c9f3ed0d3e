// Shows the gallery dialog, in the relief look with "relief", else plain,
// prints its place as WxH+X+Y once it is painted, and runs until closed.
#include <stdio.h>
#include <string.h>
#include "tools/gallery.h"
#include "relief/relief.h"

int main(int argc, char **argv)
{
    HINSTANCE self = GetModuleHandleA(NULL);
    BOOL relief = argc > 1 && strcmp(argv[1], "relief") == 0;
    if (relief && !(ReliefRegister(self) && ReliefAutoSubclass(self)))
        fprintf(stderr, "gallery: the relief look is not available here\n");
    HWND dialog = CreateGallery(self);
    if (!dialog)
        return 1;
    SetWindowPos(dialog, NULL, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    RECT r;
    GetWindowRect(dialog, &r);
    printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (relief)
        ReliefUnregister(self);
    return 0;
}
