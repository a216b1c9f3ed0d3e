// Fuzz target: whole request lists, the input's NUL-separated texts being
// the slots, decoded as the server decodes them under both shells. Beyond
// what the sanitizers catch, every field the dialog would see must agree
// with its buffer.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "fuzz.h"
#include "server/decode.h"
#include "support/shell_switch.h"

// Bytes of a double-NUL-terminated list, final NUL included.
static size_t ListSize(const char *list)
{
    const char *end = list;
    while (*end)
        end += strlen(end) + 1;
    return end + 1 - list;
}

// A buffer the dialog writes into: present exactly when its size is, at
// most the limit, the text inside the size, and the two guard NULs after it.
static void CheckAnswerBuffer(const char *buffer, DWORD size, bool fList)
{
    Check((buffer != NULL) == (size != 0) && size <= JXR_ANSWER_MAX);
    if (!buffer)
        return;
    Check((fList ? ListSize(buffer) : strlen(buffer) + 1) <= size);
    Check(buffer[size] == 0 && buffer[size + 1] == 0);
}

static void CheckDecoded(const OPENFILENAMEA &ofn, const DialogExtras &extras, bool fNewShell)
{
    Check(ofn.lpstrFilter && ListSize(ofn.lpstrFilter) <= SLOT_BUFFER_SIZE + 4);
    CheckAnswerBuffer(ofn.lpstrCustomFilter, ofn.nMaxCustFilter, true);
    CheckAnswerBuffer(ofn.lpstrFile, ofn.nMaxFile, false);
    CheckAnswerBuffer(ofn.lpstrFileTitle, ofn.nMaxFileTitle, false);
    Check(ofn.lpstrInitialDir && strlen(ofn.lpstrInitialDir) < SLOT_BUFFER_SIZE);
    Check(ofn.lpstrTitle && strlen(ofn.lpstrTitle) < SLOT_BUFFER_SIZE);
    Check(!ofn.lpstrDefExt || strlen(ofn.lpstrDefExt) < SLOT_BUFFER_SIZE);
    Check(((ofn.Flags & OFN_EXPLORER) != 0) == fNewShell);
    Check(ofn.lpfnHook == (fNewShell ? ExplorerHookProc : OldStyleHookProc));
    Check(strlen(extras.lpstrWorkbooks) < SLOT_BUFFER_SIZE);
    Check(strlen(extras.lpstrCheckBoxText) < EXTRAS_TEXT_SIZE);
    Check(strlen(extras.lpstrLabel) < EXTRAS_TEXT_SIZE);
    Check(!extras.lpstrNote || (*extras.lpstrNote && strlen(extras.lpstrNote) < EXTRAS_TEXT_SIZE));
}

// The list as a client's WM_COPYDATA block brings it: the header, the
// texts, and two NULs that end them.
static HDROP RequestList(const uint8_t *data, size_t size)
{
    std::vector<BYTE> block(sizeof(DROPFILES) + size + 2);
    block[0] = sizeof(DROPFILES);   // pFiles
    memcpy(block.data() + sizeof(DROPFILES), data, size);
    HDROP list = DropListFromBlock(block.data(), block.size());
    Check(list != NULL);
    return list;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    HDROP list = RequestList(data, size);
    std::vector<char> slot(SLOT_BUFFER_SIZE);
    std::vector<char> workbooks(SLOT_BUFFER_SIZE);
    for (int shell = 0; shell < 2; shell++) {
        fTestNewShell = shell;
        OPENFILENAMEA ofn;
        DialogExtras extras;
        ExtrasTexts texts;
        memset(&ofn, 0, sizeof ofn);
        // As the server does: an empty slot 0 is a list without strings.
        HDROP request = ReadSlot(list, 0, slot.data()) ? list : NULL;
        DecodeDialogRequest(request, &ofn, slot.data());
        DecodeDialogExtras(request, &extras, &texts, slot.data(), workbooks.data());
        ReadSlotInteger(request, 20, slot.data());
        CheckDecoded(ofn, extras, shell != 0);
        ReleaseDialogRequest(&ofn);
    }
    DragFinish(list);
    return 0;
}
