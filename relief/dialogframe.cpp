// The relief procedure of dialogs: the frame painted in relief below 3.95,
// the dialog's last word on the look at WM_INITDIALOG, and the colour
// messages answered with relief colours unless the dialog answers them.
#include "relief/edges.h"
#include "relief/subclass.h"

#define FRAME_STYLES (WS_VISIBLE | WS_DLGFRAME | DS_MODALFRAME)

static void FillBand(HDC dc, int left, int top, int right, int bottom)
{
    RECT band = {left, top, right, bottom};
    PatFillRect(dc, &band);
}

// Two rings on the outer pixels, face-coloured bands between them and the
// client area, and a sunken box around the caption.
static void DrawDialogFrame(HWND dialog, BOOL captionLine)
{
    HDC dc = GetWindowDC(dialog);
    if (!dc)
        return;
    int saved = SaveDC(dc);
    RECT window;
    GetWindowRect(dialog, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    const int cx = ReliefState.frameMetrics.cxFrame, cy = ReliefState.frameMetrics.cyFrame;
    const RECT outer = {0, 0, w, h}, inner = {1, 1, w - 1, h - 1};
    PaintEdge(dc, &outer, SYSCLR_BTNSHADOW, SYSCLR_WINDOWFRAME, EDGE_ALL);
    PaintEdge(dc, &inner, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_ALL);

    SelectObject(dc, ReliefState.BrushTable[SYSCLR_BTNFACE]);
    FillBand(dc, 2, 2, 2 + cx, h - 2);
    FillBand(dc, w - 2 - cx, 2, w - 2, h - 2);
    FillBand(dc, 2 + cx, 2, w - 2 - cx, 2 + cy - captionLine);
    if (captionLine) {
        RECT box = {2 + cx, 1 + cy, w - 2 - cx, 1 + cy + ReliefState.frameMetrics.cyCaption};
        PaintEdge(dc, &box, SYSCLR_BTNSHADOW, SYSCLR_BTNHILITE, EDGE_ALL);
    }
    FillBand(dc, 2 + cx, h - 2 - cy, w - 2 - cx, h - 2);
    RestoreDC(dc, saved);
    ReleaseDC(dialog, dc);
}

// The system paints first; the dialog may keep its system frame.
static LRESULT PaintDialogFrame(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ForwardMessage(dialog, msg, wParam, lParam, RCLASS_DIALOG);
    if (!ReliefState.reliefOn)
        return result;
    LONG wanted = 1;
    SendMessageA(dialog, RM_QUERYFRAME, 0, (LPARAM)&wanted);
    DWORD style = (DWORD)GetWindowLongA(dialog, GWL_STYLE);
    if (wanted && (style & FRAME_STYLES) == FRAME_STYLES)
        DrawDialogFrame(dialog, (style & WS_CAPTION) == WS_CAPTION);
    return result;
}

// An iconic dialog shows no frame.
static LRESULT OnFrameMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    if (ReliefState.winVersion < WINVER_395 && !IsIconic(dialog))
        return PaintDialogFrame(dialog, msg, wParam, lParam);
    return ForwardMessage(dialog, msg, wParam, lParam, RCLASS_DIALOG);
}

// A dialog that declines is released whole before its procedure sees the
// message; one that accepts has its controls subclassed after it, so the
// controls it creates there are included.
static LRESULT OnInitDialog(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    WNDPROC previous = GetPreviousProc(dialog, RCLASS_DIALOG);
    if (!QueryDialogLook(dialog)) {
        UnsubclassTree(dialog);
        return CallProcOf(dialog, previous, msg, wParam, lParam);
    }
    LRESULT result = CallProcOf(dialog, previous, msg, wParam, lParam);
    if (ReliefState.winVersion < WINVER_395 || !(GetWindowLongA(dialog, GWL_STYLE) & DS_3DLOOK))
        ReliefSubclassDialog(dialog, RELIEF_ALL);
    return result;
}

// A Win32s thunk: a 32-bit address in the last 64 KiB below 4 GiB.
static BOOL IsThunkAddress(ULONG_PTR address)
{
    return address >> 16 == 0xFFFF && address != 0xFFFF0000u;
}

// A brush, as opposed to a dialog procedure's TRUE or FALSE.
static BOOL IsBrushAnswer(LRESULT answer)
{
    return answer != 0 && answer != 1;
}

// The dialog procedure of a "#32770" window answers first (not through a
// Win32s thunk on 3.10 and below); then its previous procedure is asked the
// relief colour message; then the library answers. A kind of control the
// library does not colour gets the default handling.
static LRESULT OnCtlColor(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    HDC dc = (HDC)wParam;
    HWND control = (HWND)lParam;
    LRESULT answer = 0;
    BOOL askPrevious = TRUE;
    if (IsClass(dialog, "#32770")) {
        ULONG_PTR dialogProc = (ULONG_PTR)(IsWindowUnicode(dialog) ? GetWindowLongPtrW
                                           : GetWindowLongPtrA)(dialog, DWLP_DLGPROC);
        if (!dialogProc) {
            answer = (LRESULT)ReliefCtlColor(msg, dc, control);
            askPrevious = FALSE;
        } else if (!IsThunkAddress(dialogProc) || ReliefState.winVersion > WINVER_310) {
            answer = CallProcOf(dialog, (WNDPROC)dialogProc, msg, wParam, lParam);
            askPrevious = !IsBrushAnswer(answer);
        }
    }
    if (askPrevious) {
        answer = ForwardMessage(dialog, msg + RM_CTLCOLOR_OFFSET, wParam, lParam, RCLASS_DIALOG);
        if (!IsBrushAnswer(answer))
            answer = (LRESULT)ReliefCtlColor(msg, dc, control);
    }
    return answer ? answer : ForwardMessage(dialog, msg, wParam, lParam, RCLASS_DIALOG);
}

static const ReliefMessage dialogMessages[] = {
    {WM_SETTEXT, WM_SETTEXT, OnFrameMessage},
    {WM_NCPAINT, WM_NCACTIVATE, OnFrameMessage},
    {WM_INITDIALOG, WM_INITDIALOG, OnInitDialog},
    {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, OnCtlColor},
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK DialogFrameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(dialog, msg, wParam, lParam, RCLASS_DIALOG, dialogMessages);
}
