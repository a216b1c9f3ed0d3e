// The relief procedure of statics.
//
// STAND-IN until statics are painted: the procedure has its relief shape
// and answers the identify messages; the static still paints itself.
#include "relief/controls/controls.h"
#include "relief/subclass.h"

static const ReliefMessage staticMessages[] = {
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefStaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_STATIC, staticMessages);
}
