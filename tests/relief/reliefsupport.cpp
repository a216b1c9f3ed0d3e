// Helpers of the relief library's tests.
#include "reliefsupport.h"
#include <gtest/gtest.h>
#include <winternl.h>
#include <map>
#include <vector>
#include "relief/state.h"

// The atom table belongs to the whole Wine session: a test that stops
// half-way must not leave the library's atoms to the tests after it.
struct ReleaseLibrary : testing::Environment {
    void TearDown() override { TerminateRelief(); }
};
static testing::Environment *const releaseLibrary =
    testing::AddGlobalTestEnvironment(new ReleaseLibrary);

HWND Window(const char *cls, DWORD style, HWND parent, int x, int y, int w, int h)
{
    return CreateWindowExA(0, cls, "x", style | (parent ? WS_CHILD : WS_POPUP), x, y, w, h,
                           parent, nullptr, nullptr, nullptr);
}

// An entry of the GDI handle table, as Wine and Windows lay it out.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type, flags;      // type 0: a free entry
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
    int found = 0;
    for (const char *name : {"Rlf", "RlfNew", "RlfL", "RlfH", "RlfLNew", "RlfHNew", "RlfD"})
        found += GlobalFindAtomA(name) != 0;
    return found;
}

const char *const kGlyphRows[39] = {
#include "res/glyphs.inc"
};

COLORREF FakeSysColors::colors[31];

static DWORD WINAPI FakeColor(int i) { return i >= 0 && i < 31 ? FakeSysColors::colors[i] : 0; }

FakeSysColors::FakeSysColors() : patch("user32.dll", "GetSysColor", (void *)FakeColor)
{
    for (int i = 0; i < 31; ++i)
        colors[i] = patch.Original<DWORD(WINAPI *)(int)>()(i);
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
    for (HANDLE h : {thread, go, done})
        CloseHandle(h);
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

static std::vector<message> recorded;
static std::map<HWND, WNDPROC> next[3];     // UNDER, OVER, PARENT
static std::map<HWND, bool> shown;

static void Note(int role, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool hidden = role == UNDER ? shown[window] && !IsWindowVisible(window)
                : msg == WM_STYLECHANGED && !(((STYLESTRUCT *)lParam)->styleNew & WS_VISIBLE);
    bool marked = msg == WM_NCDESTROY && GetPropA(window, "RlfNew") && GetPropA(window, "RlfD");
    recorded.push_back({msg, role | (hidden ? HIDDEN : 0) | (marked ? MARKED : 0),
                        role == PARENT ? wParam : 0});
}

// Under a relief procedure the queries that painting sends are left out;
// over one, WM_NCDESTROY is noted once the procedures below ran.
static LRESULT Record(int role, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool noted = role == PARENT ? msg == WM_COMMAND
               : role == OVER ? msg == WM_STYLECHANGED || msg == WM_NCDESTROY : true;
    for (UINT quiet : {BM_GETSTATE, WM_GETFONT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_STYLECHANGING,
                       WM_STYLECHANGED, WM_IME_SETCONTEXT})
        noted = noted && (role != UNDER || msg != quiet);
    bool after = role == OVER && msg == WM_NCDESTROY;
    if (noted && !after)
        Note(role, window, msg, wParam, lParam);
    LRESULT result = CallWindowProcA(next[role >> 1][window], window, msg, wParam, lParam);
    if (after)
        Note(role, window, msg, wParam, lParam);
    return result;
}

template <int role> LRESULT CALLBACK Recorder(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return Record(role, w, m, wp, lp);
}

static void Install(HWND window, int role, WNDPROC proc)
{
    next[role >> 1][window] = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)proc);
}

void RecordUnder(HWND window)
{
    shown[window] = IsWindowVisible(window);
    if (HANDLE saved = GetPropA(window, "RlfNew")) {
        next[0][window] = (WNDPROC)saved;
        SetPropA(window, "RlfNew", (HANDLE)Recorder<UNDER>);
    } else {
        Install(window, UNDER, Recorder<UNDER>);
    }
}
void RecordOver(HWND window) { Install(window, OVER, Recorder<OVER>); }
void RecordParent(HWND parent) { Install(parent, PARENT, Recorder<PARENT>); }
void ForgetMessages() { recorded.clear(); }
static std::string Describe(const message &m)
{
    char text[64];
    snprintf(text, sizeof text, "%s%s%s %04x",
             m.flags & UNDER ? "under" : m.flags & OVER ? "over" : "parent",
             m.flags & HIDDEN ? " hidden" : "", m.flags & MARKED ? " marked" : "", m.msg);
    return m.flags & PARENT ? text + (" " + std::to_string(m.wParam)) : text;
}

void CheckSequence(const message *expected, const std::string &context, const char *file,
                   int line)
{
    std::string want, got;
    for (; expected->msg; ++expected)
        want += Describe(*expected) + "; ";
    for (const message &m : recorded)
        got += Describe(m) + "; ";
    recorded.clear();
    if (want != got)
        ADD_FAILURE_AT(file, line) << context << "\n  expected: " << want
                                   << "\n  got:      " << got;
}
