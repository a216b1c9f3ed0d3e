// OnFileRequest step by step: the platform calls it makes are watched or
// replaced at the program's imports, the dialog by one that answers at
// once, so a whole request runs on the test's own thread.
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "server/decode.h"
#include "wire/droplist.h"
#include "server/server.h"
#include "server/transport.h"
#include "support/relief_spy.h"
#include "support/shell_switch.h"
#include "support/testrequest.h"
#include "support/testsupport.h"

namespace {

using Strings = std::vector<std::string>;
using Args = std::vector<intptr_t>;

Strings PlainSlots()
{
    return {"OPEN", "-", "2\nText\n*.txt", "0", "0", "1", "0", "260", "0", "0",
            "1\nC:\\windows", "1\nThe title", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
}

// Calls in order, recorded without allocating: the recorders also run
// inside the program's calls to malloc and free.
struct CallLog {
    const char *names[64];
    intptr_t args[64];
    int count = 0;
    bool fFrees = false;   // free is recorded from the dialog's return on

    void Add(const char *name, intptr_t arg)
    {
        if (count < 64) {
            names[count] = name;
            args[count++] = arg;
        }
    }
    Args Of(const char *name) const
    {
        Args of;
        for (int i = 0; i < count; i++)
            if (!strcmp(names[i], name))
                of.push_back(args[i]);
        return of;
    }
    int IndexOf(const char *name) const
    {
        for (int i = 0; i < count; i++)
            if (!strcmp(names[i], name))
                return i;
        return -1;
    }
};

CallLog calls;
BOOL dialogResult;          // what the replaced dialog returns
OPENFILENAMEW dialogSeen;   // what it was given; its buffers are freed later
DialogExtras extrasSeen;
std::wstring titleSeen;
std::wstring dialogAnswer;  // what the replaced dialog answers, NULs included
size_t reliefCallsAtDialog;
size_t failMallocSize;      // malloc fails for blocks of this size ...
int failMallocCount;        // ... this many times
bool fFailGlobalAlloc, fFailGlobalReAlloc;
bool *failureToArm;   // set by ArmFailure once the request is built

void ArmFailure() { *failureToArm = true; }
enum { P_OPEN, P_SAVE, P_QUERY, P_FINISH, P_MALLOC, P_FREE, P_ALLOC, P_REALLOC, P_COUNT };
ImportPatch *patches[P_COUNT];

template <class F> F Original(int which) { return patches[which]->Original<F>(); }

BOOL RunDialog(const char *kind, OPENFILENAMEW *ofn)
{
    calls.Add(kind, 0);
    dialogSeen = *ofn;
    extrasSeen = *(DialogExtras *)ofn->lCustData;
    titleSeen = ofn->lpstrTitle;
    reliefCallsAtDialog = reliefSpy.calls.size();
    if (dialogResult && ofn->lpstrFile)
        memcpy(ofn->lpstrFile, dialogAnswer.c_str(),
               std::min<size_t>(dialogAnswer.size() + 1, ofn->nMaxFile) * sizeof(WCHAR));
    calls.fFrees = true;
    return dialogResult;
}

BOOL WINAPI FakeOpen(OPENFILENAMEW *ofn) { return RunDialog("GetOpenFileNameW", ofn); }
BOOL WINAPI FakeSave(OPENFILENAMEW *ofn) { return RunDialog("GetSaveFileNameW", ofn); }

UINT WINAPI RecordQuery(HDROP list, UINT index, LPSTR buffer, UINT size)
{
    calls.Add("DragQueryFileA", index);
    return Original<decltype(&DragQueryFileA)>(P_QUERY)(list, index, buffer, size);
}

void WINAPI RecordFinish(HDROP list)
{
    calls.Add("DragFinish", (intptr_t)list);
    Original<decltype(&DragFinish)>(P_FINISH)(list);
}

void *__cdecl FailingMalloc(size_t size)
{
    if (size == failMallocSize && failMallocCount > 0) {
        failMallocCount--;
        return nullptr;
    }
    return Original<void *(__cdecl *)(size_t)>(P_MALLOC)(size);
}

void __cdecl RecordFree(void *block)
{
    if (calls.fFrees)
        calls.Add("free", (intptr_t)block);
    Original<void(__cdecl *)(void *)>(P_FREE)(block);
}

HGLOBAL WINAPI FailingGlobalAlloc(UINT flags, SIZE_T size)
{
    return fFailGlobalAlloc ? nullptr : Original<decltype(&GlobalAlloc)>(P_ALLOC)(flags, size);
}

HGLOBAL WINAPI FailingGlobalReAlloc(HGLOBAL mem, SIZE_T size, UINT flags)
{
    if (fFailGlobalReAlloc)
        return nullptr;
    return Original<decltype(&GlobalReAlloc)>(P_REALLOC)(mem, size, flags);
}

struct RequestServed : testing::Test {
    ImportPatch open{"comdlg32.dll", "GetOpenFileNameW", (void *)FakeOpen};
    ImportPatch save{"comdlg32.dll", "GetSaveFileNameW", (void *)FakeSave};
    ImportPatch query{"shell32.dll", "DragQueryFileA", (void *)RecordQuery};
    ImportPatch finish{"shell32.dll", "DragFinish", (void *)RecordFinish};
    ImportPatch heap{"msvcrt.dll", "malloc", (void *)FailingMalloc};
    ImportPatch heapFree{"msvcrt.dll", "free", (void *)RecordFree};
    ImportPatch alloc{"kernel32.dll", "GlobalAlloc", (void *)FailingGlobalAlloc};
    ImportPatch reAlloc{"kernel32.dll", "GlobalReAlloc", (void *)FailingGlobalReAlloc};
    HWND frame = nullptr;
    HWND client = nullptr;
    HDROP request = nullptr;

    // Called again by tests that serve several requests.
    void SetUp() override
    {
        ImportPatch *all[P_COUNT] = {&open, &save, &query, &finish, &heap, &heapFree, &alloc,
                                     &reAlloc};
        for (int i = 0; i < P_COUNT; i++) {
            ASSERT_NE(all[i]->slot, nullptr) << "import " << i;
            patches[i] = all[i];
        }
        calls = CallLog();
        dialogResult = 0;
        memset(&dialogSeen, 0, sizeof dialogSeen);
        memset(&extrasSeen, 0, sizeof extrasSeen);
        titleSeen.clear();
        dialogAnswer = L"C:\\DATA\\A.TXT";
        failMallocSize = 0;
        fFailGlobalAlloc = fFailGlobalReAlloc = false;
        reliefSpy = ReliefSpy();
        fReliefLook = 0;
        fTestNewShell = 1;
        hInst = GetModuleHandleA(nullptr);
        DestroyWindow(frame);
        DestroyWindow(client);
        frame = CreateWindowExA(0, "STATIC", "frame", 0, 0, 0, 10, 10, nullptr, nullptr, hInst,
                                nullptr);
        client = CreateWindowExA(0, "STATIC", "client", 0, 0, 0, 10, 10, nullptr, nullptr, hInst,
                                 nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(frame);
        DestroyWindow(client);
        fTestNewShell = 1;
    }
    // arm runs once the request list is built, to fail the program's own
    // allocations only.
    void Serve(const Strings &slots, void (*arm)() = nullptr)
    {
        request = TestRequest(slots).Release();
        if (arm)
            arm();
        OnFileRequest(frame, request, client);
        calls.fFrees = false;
    }
    // The reply posted to the client; "none" when nothing was posted, and
    // "null" for a null drop handle.
    Strings Reply()
    {
        MSG msg;
        if (!PeekMessageA(&msg, client, WM_DROPFILES, WM_DROPFILES, PM_REMOVE))
            return {"none"};
        if (!msg.wParam)
            return {"null"};
        Strings strings = ReadDropList((HDROP)msg.wParam);
        DragFinish((HDROP)msg.wParam);
        return strings;
    }
};

TEST_F(RequestServed, SlotsAreReadInOrderAndConditionalOnesNot)
{
    Strings slots = PlainSlots();
    slots[JXR_SLOT_FILE_SIZE] = "0";
    Serve(slots);
    EXPECT_EQ(calls.Of("DragQueryFileA"), (Args{0, 2, 4, 5, 7, 9, 10, 11, 12, 13, 14, 15, 16,
                                                17, 18, 19}));
    SetUp();
    fTestNewShell = 0;
    slots[JXR_SLOT_CUSTOM_FILTER_SIZE] = "40";
    slots[JXR_SLOT_FILE_SIZE] = "260";
    slots[JXR_SLOT_FILE_TITLE_SIZE] = "64";
    Serve(slots);
    EXPECT_EQ(calls.Of("DragQueryFileA"), (Args{0, 2, 4, 3, 5, 7, 6, 9, 8, 10, 11, 12, 13, 14,
                                                15, 16, 17, 18, 19, 20}));
}

TEST_F(RequestServed, OnlyExactlyOpenShowsTheOpenDialog)
{
    for (const char *kind : {"OPEN", "open", "OPEN ", "Open", "SAVE"}) {
        SetUp();
        Strings slots = PlainSlots();
        slots[JXR_SLOT_KIND] = kind;
        Serve(slots);
        bool fOpen = !strcmp(kind, "OPEN");
        EXPECT_EQ(calls.IndexOf("GetOpenFileNameW") >= 0, fOpen) << kind;
        EXPECT_EQ(calls.IndexOf("GetSaveFileNameW") >= 0, !fOpen) << kind;
    }
}

TEST_F(RequestServed, TheRequestIsReleasedOnceBeforeTheDialogSeesTheRecords)
{
    Strings slots = PlainSlots();
    slots[JXR_SLOT_CHECK_STATE] = "1";
    Serve(slots);
    EXPECT_EQ(calls.Of("DragFinish"), Args{(intptr_t)request});
    EXPECT_LT(calls.IndexOf("DragFinish"), calls.IndexOf("GetOpenFileNameW"));
    EXPECT_EQ(dialogSeen.lStructSize, (DWORD)OPENFILENAME_SIZE_VERSION_400W);
    EXPECT_EQ(dialogSeen.hwndOwner, client);
    EXPECT_EQ(dialogSeen.hInstance, hInst);
    EXPECT_NE(dialogSeen.lCustData, 0);
    EXPECT_EQ(extrasSeen.nCheckState, 1);
}

TEST_F(RequestServed, OnlyAResultOfExactlyOneCountsAsConfirmed)
{
    for (BOOL result : {1, 0, 2, -1}) {
        SetUp();
        dialogResult = result;
        Serve(PlainSlots());
        Strings confirmed = {"0", "1", "C:\\DATA\\A.TXT"};
        EXPECT_EQ(Reply(), result == 1 ? confirmed : Strings{}) << result;
        EXPECT_FALSE(IsWindow(frame)) << result;
    }
}

TEST_F(RequestServed, ReliefLookOnlyOnTheOldShellAndOncePerProcess)
{
    struct {
        int fNewShell, lookBefore;
        const char *slot20;
        int lookAfter;
        size_t calls;
    } cases[] = {
        {0, 0, "1", 1, 2}, {0, 0, "0", 0, 0}, {0, 0, "yes", 0, 0},
        {1, 0, "1", 0, 0}, {0, 1, "0", 1, 0},   // the last: a nested request
    };
    for (auto &c : cases) {
        SetUp();
        fTestNewShell = c.fNewShell;
        fReliefLook = c.lookBefore;
        Strings slots = PlainSlots();
        slots[JXR_SLOT_RELIEF] = c.slot20;
        Serve(slots);
        EXPECT_EQ(fReliefLook, c.lookAfter) << c.slot20;
        EXPECT_EQ(reliefSpy.calls.size(), c.calls) << c.slot20;
        EXPECT_EQ(reliefCallsAtDialog, c.calls) << c.slot20;
    }
    SetUp();
    fTestNewShell = 0;
    Strings slots = PlainSlots();
    slots[JXR_SLOT_RELIEF] = "1";
    Serve(slots);
    EXPECT_EQ(reliefSpy.calls, (Strings{"ReliefRegister", "ReliefAutoSubclass"}));
    EXPECT_EQ(reliefSpy.lastInstance, hInst);
}

TEST_F(RequestServed, ListWithoutStringsOrNullHandleIsAnEmptyRequest)
{
    Serve({});
    EXPECT_EQ(calls.Of("DragQueryFileA"), Args{0});
    EXPECT_GE(calls.IndexOf("GetSaveFileNameW"), 0);
    EXPECT_EQ(dialogSeen.lpstrFile, nullptr);
    EXPECT_EQ(Reply(), Strings{});
    EXPECT_FALSE(IsWindow(frame));

    SetUp();
    OnFileRequest(frame, nullptr, client);
    EXPECT_GE(calls.IndexOf("GetSaveFileNameW"), 0);
    EXPECT_EQ(Reply(), Strings{});
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(RequestServed, WideRequestListIsReadAsAnsi)
{
    request = DropListCreate(POINT{0, 0}, 0, 1);
    for (const std::string &slot : PlainSlots())
        request = DropListAppend(request, std::wstring(slot.begin(), slot.end()).c_str());
    OnFileRequest(frame, request, client);
    EXPECT_GE(calls.IndexOf("GetOpenFileNameW"), 0);
    EXPECT_EQ(titleSeen, L"The title");
    EXPECT_EQ(dialogSeen.nMaxFile, 260u);
}

TEST_F(RequestServed, EveryBufferIsReleasedInOrder)
{
    Strings slots = PlainSlots();
    slots[JXR_SLOT_CUSTOM_FILTER_SIZE] = "40";
    slots[JXR_SLOT_FILE_TITLE_SIZE] = "64";
    slots[JXR_SLOT_DEF_EXT] = "1\ntxt";
    Serve(slots);
    const OPENFILENAMEW &ofn = dialogSeen;
    Args freed = calls.Of("free");
    ASSERT_EQ(freed.size(), 9u);
    EXPECT_EQ(Args(freed.begin(), freed.begin() + 7),
              (Args{(intptr_t)ofn.lpstrFilter, (intptr_t)ofn.lpstrFile, (intptr_t)ofn.lpstrTitle,
                    (intptr_t)ofn.lpstrCustomFilter, (intptr_t)ofn.lpstrInitialDir,
                    (intptr_t)ofn.lpstrFileTitle, (intptr_t)ofn.lpstrDefExt}));
    EXPECT_EQ(freed[8], (intptr_t)extrasSeen.lpstrWorkbooks);
    for (intptr_t block : freed)
        EXPECT_NE(block, 0);
}

TEST_F(RequestServed, AllocationFailuresStillEndInAReply)
{
    // Without slot buffers no dialog shows; the request is still released.
    for (int failures : {1, 2}) {
        SetUp();
        failMallocSize = SLOT_BUFFER_SIZE;
        failMallocCount = failures;
        Serve(PlainSlots());
        EXPECT_EQ(calls.IndexOf("GetOpenFileNameW"), -1) << failures;
        EXPECT_EQ(calls.Of("DragFinish"), Args{(intptr_t)request});
        EXPECT_EQ(Reply(), Strings{}) << failures;
        EXPECT_FALSE(IsWindow(frame)) << failures;
    }
    // A file buffer that cannot be had is not announced to the dialog.
    SetUp();
    failMallocSize = (260 + 2) * sizeof(WCHAR);
    failMallocCount = 1;
    Serve(PlainSlots());
    EXPECT_EQ(dialogSeen.lpstrFile, nullptr);
    EXPECT_EQ(dialogSeen.nMaxFile, 0u);
    // A reply list that cannot be made or grown goes out as a null handle.
    for (bool *flag : {&fFailGlobalAlloc, &fFailGlobalReAlloc}) {
        SetUp();
        dialogResult = 1;
        failureToArm = flag;
        Serve(PlainSlots(), ArmFailure);
        EXPECT_EQ(Reply(), Strings{"null"});
        EXPECT_FALSE(IsWindow(frame));
    }
}

// WM_COPYDATA takes a reply up to the limit; a larger one goes as the null
// reply, which the client reports, and never as a message it cannot take.
DWORD copiedSize;

LRESULT CALLBACK RecordCopiedSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    copiedSize = ((const COPYDATASTRUCT *)lParam)->cbData;
    return TRUE;
}

TEST_F(RequestServed, ARepliesBeyondTheLimitGoAsTheNullReply)
{
    Strings slots = PlainSlots();
    slots[JXR_SLOT_FILE_SIZE] = "65536";
    slots[JXR_SLOT_FLAGS] = "512";
    for (int names : {100, 4200}) {     // each path 256 bytes
        SetUp();
        SetWindowLongPtrA(client, GWLP_WNDPROC, (LONG_PTR)RecordCopiedSize);
        dialogResult = 1;
        dialogAnswer = L"C:\\" + std::wstring(250, 'd') + L'\0';
        for (int i = 0; i < names; i++)
            dialogAnswer += std::wstring(L"a") + L'\0';
        copiedSize = 1;
        ServeFileRequest(frame, TestRequest(slots).Release(), client, REPLY_BY_COPYDATA);
        EXPECT_EQ(copiedSize != 0, names == 100) << names;
        EXPECT_LE(copiedSize, (DWORD)JXR_REPLY_MAX) << names;
    }
}

}  // namespace
