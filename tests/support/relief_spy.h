// Link-time replacement of the relief entries the server calls, recording
// each call, for tests of the frame window and the exit path.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct ReliefSpy {
    std::vector<std::string> calls;   // entry names in call order
    HINSTANCE lastInstance = nullptr;
};
extern ReliefSpy reliefSpy;
