// Recording replacements of the relief entries (see relief_spy.h). Every
// entry the server and the dialog hooks call is replaced here, so that no
// member of the relief library is linked beside the spy.
#include "support/relief_spy.h"
#include "relief/relief.h"

ReliefSpy reliefSpy;

static BOOL Record(const char *name, HINSTANCE instance, BOOL result)
{
    reliefSpy.calls.push_back(name);
    reliefSpy.lastInstance = instance;
    return result;
}

BOOL ReliefRegister(HINSTANCE instance) { return Record("ReliefRegister", instance, TRUE); }
BOOL ReliefUnregister(HINSTANCE instance) { return Record("ReliefUnregister", instance, TRUE); }
BOOL ReliefAutoSubclass(HINSTANCE instance) { return Record("ReliefAutoSubclass", instance, TRUE); }
BOOL ReliefColorChange(void) { return Record("ReliefColorChange", nullptr, TRUE); }

HBRUSH ReliefCtlColor(UINT message, HDC dc, HWND window)
{
    reliefSpy.calls.push_back("ReliefCtlColor");
    reliefSpy.lastMessage = message;
    reliefSpy.lastDc = dc;
    reliefSpy.lastWindow = window;
    return reliefSpy.ctlColorBrush;
}
