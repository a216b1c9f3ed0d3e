// A request list that a test builds from slot texts: a real drop list on
// Windows, the same strings in one block in the native builds. As in any
// drop list, the first empty text ends the list.
#pragma once
#include "server/platform.h"
#include <string>
#include <vector>

struct TestRequest {
    HDROP handle = nullptr;
    explicit TestRequest(const std::vector<std::string> &slots);
    ~TestRequest();
    // Hands the list over, e.g. to the server, which releases it.
    HDROP Release();
    TestRequest(const TestRequest &) = delete;
    TestRequest &operator=(const TestRequest &) = delete;
};
