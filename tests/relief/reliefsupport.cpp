// Helpers of the relief library's tests.
#include "reliefsupport.h"
#include <gtest/gtest.h>
#include <winternl.h>
#include "relief/state.h"

// The atom table belongs to the whole Wine session: a test that stops
// half-way must not leave the library's atoms to the tests after it.
struct ReleaseLibrary : testing::Environment {
    void TearDown() override { TerminateRelief(); }
};
static testing::Environment *const releaseLibrary =
    testing::AddGlobalTestEnvironment(new ReleaseLibrary);

// An entry of the GDI handle table, as Wine and Windows lay it out.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;         // 0 for a free entry
    UCHAR flags;
    UINT64 userPointer;
};

int GdiObjectCount()
{
#ifdef _WIN64
    const size_t tableOffset = 0xF8;    // PEB.GdiSharedHandleTable
#else
    const size_t tableOffset = 0x94;
#endif
    typedef LONG(WINAPI * QueryProc)(HANDLE, int, void *, ULONG, ULONG *);
    auto query = (QueryProc)(void (*)(void))GetProcAddress(GetModuleHandleA("ntdll.dll"),
                                                          "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION info{};
    const GdiHandleEntry *table = nullptr;
    if (query && !query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr))
        table = *(GdiHandleEntry **)((BYTE *)info.PebBaseAddress + tableOffset);
    int count = 0;
    for (int i = 0; table && i < 0x10000; ++i)
        count += table[i].type != 0;
    // Every process holds the stock objects: none counted means no table.
    EXPECT_GT(count, 0) << "the GDI handle table cannot be read";
    return count;
}

int PropertyAtomsFound()
{
    static const char *const names[] = {"Rlf", "RlfNew", "RlfL", "RlfH", "RlfLNew", "RlfHNew", "RlfD"};
    int found = 0;
    for (const char *name : names)
        found += GlobalFindAtomA(name) != 0;
    return found;
}

const char *const kGlyphRows[39] = {
#include "res/glyphs.inc"
};

COLORREF FakeSysColors::colors[31];

static DWORD WINAPI FakeGetSysColor(int index)
{
    return index >= 0 && index < 31 ? FakeSysColors::colors[index] : 0;
}

FakeSysColors::FakeSysColors() : patch("user32.dll", "GetSysColor", (void *)FakeGetSysColor)
{
    auto real = patch.Original<DWORD(WINAPI *)(int)>();
    for (int i = 0; i < 31; ++i)
        colors[i] = real(i);
}


static DWORD WINAPI WorkerMain(LPVOID param)
{
    Worker *w = (Worker *)param;
    for (;;) {
        WaitForSingleObject(w->go, INFINITE);
        if (w->quit)
            return 0;
        w->job();
        SetEvent(w->done);
    }
}

Worker::Worker()
{
    go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, WorkerMain, this, 0, &id);
}

Worker::~Worker()
{
    quit = true;
    SetEvent(go);
    WaitForSingleObject(thread, 30000);
    CloseHandle(thread);
    CloseHandle(go);
    CloseHandle(done);
}

void Worker::Run(std::function<void()> fn)
{
    job = std::move(fn);
    SetEvent(go);
    WaitForSingleObject(done, INFINITE);
}

int IdentifyCode(HWND window)
{
    LONG answer = 666;
    LRESULT code = SendMessageA(window, 0x1944, 0, (LPARAM)&answer);
    if (answer == 666)
        code = SendMessageA(window, 0x1943, 0, (LPARAM)&answer);
    return answer == 1 ? (int)code : 0;
}
