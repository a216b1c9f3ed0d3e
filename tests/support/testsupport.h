// Helpers shared by the tests: programs beside the test, child processes,
// windows of a process, and threads that run a piece of code.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <functional>
#include <string>
#include <vector>

// Full path of a program built beside the running test (e.g. "jxrwin32.exe").
std::string SiblingPath(const char *exeName);

// A child process started with a command line (in UTF-8); killed if still
// running when the object goes.
// With captureOutput its standard output and error go to files read back
// by Output and Errors.
struct ChildProcess {
    PROCESS_INFORMATION pi{};
    std::string outFile, errFile;
    bool Start(const std::string &program, const std::string &commandLine,
               bool captureOutput = false);
    // Waits for the exit; returns the exit code, or STILL_ACTIVE on timeout.
    DWORD WaitExit(DWORD timeoutMs);
    std::string Output() const;
    std::string Errors() const;
    ~ChildProcess();
};

// Waits up to 50 ms, dispatching the messages of the calling thread
// meanwhile: a window of another process that this thread owns (a dialog
// owned by a test's client window) may be waiting for an answer from it.
void PumpWait(DWORD ms = 50);

// Polls every 50 ms for a top-level window of the process that matches the
// class and title (null matches any); returns null after the timeout.
HWND WaitForWindow(DWORD processId, const char *className, const char *title,
                   DWORD timeoutMs, bool visibleOnly = true);

// UTF-8 and UTF-16 texts, one into the other.
std::wstring Wide(const std::string &utf8);
std::string Utf8(const std::wstring &wide);

// Class name and text (in UTF-8) of any window, also of another process.
std::string ClassOf(HWND window);
std::string TextOf(HWND window);

// The strings of a drop list, read with the shell: those of a wide list in
// UTF-8, those of an ANSI one as they are.
std::vector<std::string> ReadDropList(HDROP list);

// A folder on drive C: of the prefix holding files, each holding its own
// name, in UTF-8 as the folder's and their names are ("sub\\name" in a folder
// of its own); the files and folders go at the end. A root folder such as
// "C:\\" is used as it is.
struct TestFolder {
    std::string path;
    std::vector<std::string> names;
    TestFolder(const std::string &folder, const std::vector<std::string> &files);
    ~TestFolder();
    // The full path of a file in the folder.
    std::string File(const std::string &name) const;
};

// Runs a function on a new thread; Join waits for it.
struct TestThread {
    HANDLE handle = nullptr;
    std::function<void()> body;
    void Start(std::function<void()> fn);
    bool Join(DWORD timeoutMs = 30000);
    ~TestThread();
};

// Replaces, while it lives, the running program's import of one function
// of a DLL, so that a test can make a system call fail or record its
// arguments. The product code linked into the test calls the replacement.
struct ImportPatch {
    void **slot = nullptr;
    void *original = nullptr;
    ImportPatch(const char *dll, const char *function, void *replacement);
    ~ImportPatch();
    template <class F> F Original() const { return (F)original; }
};

// A 32-bit top-down DIB section selected into a memory DC, filled with one
// colour, whose pixels are read back exactly.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr, old = nullptr;
    DWORD *bits = nullptr;
    int width, height;
    Canvas(int w, int h, COLORREF fill);
    ~Canvas();
    COLORREF At(int x, int y) const;
    int Count(COLORREF color) const;                  // in the whole canvas
    int Count(const RECT &r, COLORREF color) const;   // in a rectangle
};
