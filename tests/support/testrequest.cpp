// Request lists of the tests, built as a client builds them.
#include "support/testrequest.h"

TestRequest::TestRequest(const std::vector<std::string> &slots)
{
    handle = DropListCreate(POINT{0, 0}, FALSE, FALSE);
    for (const std::string &slot : slots)
        handle = DropListAppend(handle, slot.c_str());
}

TestRequest::~TestRequest()
{
    if (handle)
        DragFinish(handle);
}

HDROP TestRequest::Release()
{
    HDROP list = handle;
    handle = nullptr;
    return list;
}
