// The relief procedures of edits, list boxes and combo boxes.
//
// STAND-INS until their borders are painted: the procedures have their
// relief shape and answer the identify messages; the controls still paint
// only themselves.
#include "relief/controls/controls.h"
#include "relief/subclass.h"

// The edit's previous procedure sees the identify messages first.
static LRESULT OnEditIdentify(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    ForwardMessage(window, msg, wParam, lParam, classIndex);
    return AnswerIdentify(window, msg, wParam, lParam, classIndex);
}

static const ReliefMessage editMessages[] = {
    {RM_IDENTIFY_ALT, RM_IDENTIFY, OnEditIdentify},
    {0, 0, NULL},
};

static const ReliefMessage listBoxMessages[] = {
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

static const ReliefMessage comboBoxMessages[] = {
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_EDIT, editMessages);
}

// List boxes and combo lists alike.
LRESULT CALLBACK ReliefListBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_LISTBOX, listBoxMessages);
}

// A combo box answers the identify messages even when marked "RlfD".
LRESULT CALLBACK ReliefComboBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == RM_IDENTIFY || msg == RM_IDENTIFY_ALT)
        return AnswerIdentify(window, msg, wParam, lParam, RCLASS_COMBOBOX);
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_COMBOBOX, comboBoxMessages);
}
