// Link-time replacement of the relief entries the server and the dialog
// hooks call, recording each call, for tests of the frame window, the exit
// path and the old-style hook's colour answers.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct ReliefSpy {
    std::vector<std::string> calls;   // entry names in call order
    HINSTANCE lastInstance = nullptr;
    // ReliefCtlColor: its last arguments, and the brush it answers.
    UINT lastMessage = 0;
    HDC lastDc = nullptr;
    HWND lastWindow = nullptr;
    HBRUSH ctlColorBrush = nullptr;
};
extern ReliefSpy reliefSpy;
