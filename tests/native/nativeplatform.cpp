// The platform calls that the request decoding makes, for the native
// builds. A request is a block of NUL-terminated strings ended by an empty
// one, read as DragQueryFileA reads a drop list.
#include "support/testrequest.h"
#include <stdlib.h>
#include <string.h>

UINT DragQueryFileA(HDROP request, UINT index, LPSTR buffer, UINT size)
{
    const char *text = (const char *)request;
    for (UINT i = 0; i < index && *text; i++)
        text += strlen(text) + 1;
    if (!*text)
        return 0;   // past the end: the buffer is left as it was
    size_t length = strlen(text);
    if (length > size - 1)
        length = size - 1;
    memcpy(buffer, text, length);
    buffer[length] = 0;
    return (UINT)length;
}

// Only their addresses matter to the decoding.
UINT_PTR ExplorerHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
UINT_PTR OldStyleHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

TestRequest::TestRequest(const std::vector<std::string> &slots)
{
    std::string block;
    for (const std::string &slot : slots) {
        if (slot.empty())
            break;
        block += slot;
        block += '\0';
    }
    block += '\0';
    handle = (HDROP)malloc(block.size());
    memcpy(handle, block.data(), block.size());
}

TestRequest::~TestRequest()
{
    free(handle);
}

HDROP TestRequest::Release()
{
    HDROP list = handle;
    handle = nullptr;
    return list;
}
