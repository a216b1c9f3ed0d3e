// Process, window and thread helpers for the tests.
#include "support/testsupport.h"
#include <shlobj.h>
#include <vector>

std::string SiblingPath(const char *exeName)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + exeName;
}

std::wstring Wide(const std::string &utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0],
                                    (int)wide.size()));
    return wide;
}

std::string Utf8(const std::wstring &wide)
{
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0],
                                    (int)utf8.size(), nullptr, nullptr));
    return utf8;
}

static std::string TempFileName()
{
    char dir[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    GetTempFileNameA(dir, "jxr", 0, name);
    return name;
}

static HANDLE InheritableFile(const std::string &name)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
}

static std::string FileText(const std::string &name)
{
    std::string text;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD n;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n)
        text.append(buffer, n);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return text;
}

bool ChildProcess::Start(const std::string &program, const std::string &commandLine,
                         bool captureOutput)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring line = Wide(commandLine);
    HANDLE out = nullptr, err = nullptr;
    if (captureOutput) {
        outFile = TempFileName();
        errFile = TempFileName();
        out = InheritableFile(outFile);
        err = InheritableFile(errFile);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = out;
        si.hStdError = err;
    }
    // Wine under load now and then fails a start with an internal error.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(Wide(program).c_str(), &line[0], nullptr, nullptr,
                                 captureOutput, 0, nullptr, nullptr, &si, &pi) != 0;
        if (!started && GetLastError() == ERROR_FILE_NOT_FOUND)
            break;
        if (!started)
            Sleep(100);
    }
    if (captureOutput) {
        CloseHandle(out);
        CloseHandle(err);
    }
    return started;
}

std::string ChildProcess::Output() const
{
    return FileText(outFile);
}

std::string ChildProcess::Errors() const
{
    return FileText(errFile);
}

DWORD ChildProcess::WaitExit(DWORD timeoutMs)
{
    if (!pi.hProcess || WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
}

ChildProcess::~ChildProcess()
{
    if (pi.hProcess) {
        if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    if (!outFile.empty()) {
        DeleteFileA(outFile.c_str());
        DeleteFileA(errFile.c_str());
    }
}

namespace {
struct WindowQuery {
    DWORD processId;
    const char *className;
    const char *title;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    WindowQuery *q = (WindowQuery *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != q->processId || (q->visibleOnly && !IsWindowVisible(window)))
        return TRUE;
    if (q->className && ClassOf(window) != q->className)
        return TRUE;
    if (q->title && TextOf(window) != q->title)
        return TRUE;
    q->found = window;
    return FALSE;
}
}

void PumpWait(DWORD ms)
{
    DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < ms; waited = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - waited, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

HWND WaitForWindow(DWORD processId, const char *className, const char *title,
                   DWORD timeoutMs, bool visibleOnly)
{
    DWORD start = GetTickCount();
    for (;;) {
        WindowQuery q{processId, className, title, visibleOnly, nullptr};
        EnumWindows(MatchWindow, (LPARAM)&q);
        if (q.found || GetTickCount() - start >= timeoutMs)
            return q.found;
        PumpWait();
    }
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT, unlike GetWindowText, asks a window of another process too.
std::string TextOf(HWND window)
{
    WCHAR text[1024] = L"";
    DWORD_PTR n = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &n);
    return Utf8(text);
}

// Reads up to the first empty string rather than asking for the count,
// which Wine gets wrong for a list without strings.
std::vector<std::string> ReadDropList(HDROP list)
{
    std::vector<std::string> strings;
    bool wide = ((const DROPFILES *)GlobalLock(list))->fWide;
    GlobalUnlock(list);
    for (UINT i = 0;; ++i) {
        UINT length = DragQueryFileW(list, i, nullptr, 0);
        if (!length)
            return strings;
        std::vector<WCHAR> text(length + 1);
        std::vector<char> ansi(3 * length + 1);
        DragQueryFileW(list, i, text.data(), length + 1);
        DragQueryFileA(list, i, ansi.data(), 3 * length + 1);
        strings.push_back(wide ? Utf8(text.data()) : ansi.data());
    }
}

// Each file holds its own name, so a test can tell which one it opened.
TestFolder::TestFolder(const std::string &folder, const std::vector<std::string> &files)
    : path(folder), names(files)
{
    CreateDirectoryW(Wide(path).c_str(), nullptr);
    for (const std::string &name : names) {
        size_t slash = name.rfind('\\');
        if (slash != std::string::npos)
            CreateDirectoryW(Wide(File(name.substr(0, slash))).c_str(), nullptr);
        HANDLE file = CreateFileW(Wide(File(name)).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, name.data(), (DWORD)name.size(), &written, nullptr);
            CloseHandle(file);
        }
    }
}

TestFolder::~TestFolder()
{
    for (const std::string &name : names) {
        DeleteFileW(Wide(File(name)).c_str());
        size_t slash = name.rfind('\\');
        if (slash != std::string::npos)
            RemoveDirectoryW(Wide(File(name.substr(0, slash))).c_str());
    }
    RemoveDirectoryW(Wide(path).c_str());
}

std::string TestFolder::File(const std::string &name) const
{
    return path.back() == '\\' ? path + name : path + "\\" + name;
}

static DWORD WINAPI ThreadMain(LPVOID param)
{
    ((TestThread *)param)->body();
    return 0;
}

void TestThread::Start(std::function<void()> fn)
{
    body = std::move(fn);
    handle = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
}

bool TestThread::Join(DWORD timeoutMs)
{
    return handle && WaitForSingleObject(handle, timeoutMs) == WAIT_OBJECT_0;
}

TestThread::~TestThread()
{
    if (handle) {
        WaitForSingleObject(handle, 30000);
        CloseHandle(handle);
    }
}

// Walks the main module's import directory to the address slot of the
// named function and swaps it.
ImportPatch::ImportPatch(const char *dll, const char *function, void *replacement)
{
    BYTE *base = (BYTE *)GetModuleHandleA(nullptr);
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR *imp = (IMAGE_IMPORT_DESCRIPTOR *)(base + dir.VirtualAddress);
         imp->Name && !slot; ++imp) {
        if (lstrcmpiA((const char *)(base + imp->Name), dll) != 0)
            continue;
        IMAGE_THUNK_DATA *names = (IMAGE_THUNK_DATA *)(base + imp->OriginalFirstThunk);
        IMAGE_THUNK_DATA *addrs = (IMAGE_THUNK_DATA *)(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++addrs) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME *byName = (IMAGE_IMPORT_BY_NAME *)(base + names->u1.AddressOfData);
            if (lstrcmpA((const char *)byName->Name, function) == 0) {
                slot = (void **)&addrs->u1.Function;
                break;
            }
        }
    }
    if (!slot)
        return;
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    original = *slot;
    *slot = replacement;
}

ImportPatch::~ImportPatch()
{
    if (slot)
        *slot = original;
}

Canvas::Canvas(int w, int h, COLORREF fill) : width(w), height(h)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void **)&bits, nullptr, 0);
    old = (HBITMAP)SelectObject(dc, bitmap);
    DWORD pixel = GetRValue(fill) << 16 | GetGValue(fill) << 8 | GetBValue(fill);
    for (int i = 0; i < w * h; ++i)
        bits[i] = pixel;
}

Canvas::~Canvas()
{
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF Canvas::At(int x, int y) const
{
    DWORD p = bits[y * width + x];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

int Canvas::Count(COLORREF color) const
{
    return Count(RECT{0, 0, width, height}, color);
}

int Canvas::Count(const RECT &r, COLORREF color) const
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += At(x, y) == color;
    return n;
}
