// A request list that a test builds from slot texts, as a client builds it
// (in the native builds over the stand-in's global memory). No slot may be
// empty: a drop list cannot hold an empty string.
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
