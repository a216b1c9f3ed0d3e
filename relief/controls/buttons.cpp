// The relief procedure of buttons.
//
// STAND-IN until buttons are painted: the procedure has its relief shape
// and answers the identify messages; the button still paints itself.
#include "relief/controls/controls.h"
#include "relief/subclass.h"

static const ReliefMessage buttonMessages[] = {
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefButtonProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_BUTTON, buttonMessages);
}
