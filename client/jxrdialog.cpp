// Command-line client of the file dialog server: one option per request
// field, the reply printed one string a line, in UTF-8. The arguments come
// from the wide command line and the request is a Unicode one, so names in
// any script pass both ways; --ansi sends the ANSI request instead.
// Exit status: 0 confirmed, 1 cancelled, 2 error (reason on stderr).
#include "client/jxrclient.h"
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

static const char usage[] =
    "usage: jxrdialog [options]\n"
    "Shows the Open or Save dialog through the jxrwin32 server and prints the\n"
    "reply, one string a line: the check box state, the filter index, then the\n"
    "file (or, with --multi, the directory and each file).\n"
    "Exit status: 0 confirmed, 1 cancelled, 2 error.\n"
    "\n"
    "  --open | --save              dialog kind (default --open)\n"
    "  --filter \"Text files|*.txt\"  a filter; repeat for more\n"
    "  --filter-index N             filter selected at start (default 1)\n"
    "  --custom-filter \"Desc|pat\"   custom filter, with --custom-filter-size N\n"
    "  --custom-filter-size N       custom filter buffer size\n"
    "  --file NAME                  initial file name\n"
    "  --file-size N                answer buffer size (default 4096)\n"
    "  --file-title NAME            initial file title, with --file-title-size N\n"
    "  --file-title-size N          file title buffer size\n"
    "  --initial-dir DIR            initial directory\n"
    "  --title TEXT                 dialog title\n"
    "  --flags N                    OFN_* flags (decimal or 0x hex)\n"
    "  --multi                      allow several files\n"
    "  --def-ext EXT                default extension\n"
    "  --workbook NAME              a workbook entry; repeat for more\n"
    "  --workbook-special NAME      a special (greyed) workbook entry\n"
    "  --check-box TEXT             show the check box with this caption\n"
    "  --checked                    check box checked at start\n"
    "  --label TEXT                 caption of the workbook list\n"
    "  --note TEXT                  note below the extra controls\n"
    "  --relief                     three-dimensional look (old shell only)\n"
    "  --transport copydata|dropfiles  (default: copydata under Wine)\n"
    "  --ansi                       the request in the ANSI code page (old servers)\n"
    "  --timeout SECONDS            give up after this long (default: wait)\n"
    "  --server PATH                the server program (default: beside this one)\n"
    "  --help                       this text\n"
    "\n"
    "For automated tests the environment variable JXR_ANSWER answers the dialog\n"
    "as a person would: \"cancel\", or file=NAME (repeat it for several files),\n"
    "with check=0|1 and filter=N if wanted, separated by |. The server types the\n"
    "names, sets the box and the filter and presses OK; if the dialog does not\n"
    "take the answer, or the script is wrong, it says why in one line on\n"
    "standard error and the dialog counts as cancelled. A test in sh:\n"
    "\n"
    "  export JXR_ANSWER='file=win.ini|check=1'\n"
    "  jxrdialog --initial-dir 'C:\\windows' --check-box Keep >reply.txt\n"
    "  printf '%s\\n' 1 1 'C:\\windows\\win.ini' | cmp - reply.txt\n";

struct Options {
    JxrRequest request;
    JxrOptions client;
    std::vector<JxrFilter> filters;
    std::vector<JxrWorkbook> workbooks;
    std::vector<std::string> pieces;    // split filter texts
    bool extras = false;                // any control of the customised dialog asked for
    int serverIndex = 0;                // of the --server value, converted on its own
};

static bool ParseNumber(const char *text, long long *value)
{
    char *end;
    if (!text || !*text)
        return false;
    *value = strtoll(text, &end, 0);
    return *end == '\0';
}

static bool ParseInt(const char *text, int *value)
{
    long long v;
    if (!ParseNumber(text, &v) || v < -2147483647LL - 1 || v > 2147483647LL)
        return false;
    *value = (int)v;
    return true;
}

// Splits "Description|pattern" into two pieces kept in the options.
static bool SplitFilter(const char *text, Options *o)
{
    const char *bar = strchr(text, '|');
    if (!bar)
        return false;
    o->pieces.emplace_back(text, bar);
    o->pieces.emplace_back(bar + 1);
    return true;
}

// Returns an error message, or null when every option was understood.
static const char *Parse(int argc, char **argv, Options *o, bool *help)
{
    JxrRequest *r = &o->request;
    std::vector<std::pair<std::string, bool>> workbookNames;
    std::vector<std::string> filterTexts;
    std::string customFilter;
    for (int i = 1; i < argc; ++i) {
        std::string opt = argv[i];
        const char *value = i + 1 < argc ? argv[i + 1] : NULL;
        long long number;
        if (opt == "--help") { *help = true; return NULL; }
        if (opt == "--open") { r->kind = JXR_OPEN; continue; }
        if (opt == "--save") { r->kind = JXR_SAVE; continue; }
        if (opt == "--multi") { r->flags |= OFN_ALLOWMULTISELECT | OFN_EXPLORER; continue; }
        if (opt == "--checked") { r->checkState = 1; continue; }
        if (opt == "--relief") { r->reliefLook = 1; continue; }
        if (opt == "--ansi") continue;      // seen before the arguments were converted
        static const char *const withValue[] = {
            "--filter", "--custom-filter", "--filter-index", "--custom-filter-size", "--file",
            "--file-size", "--file-title", "--file-title-size", "--initial-dir", "--title",
            "--flags", "--def-ext", "--workbook", "--workbook-special", "--check-box", "--label",
            "--note", "--transport", "--timeout", "--server"};
        bool known = false;
        for (const char *name : withValue)
            known = known || opt == name;
        if (!known)
            return "unknown option (see --help)";
        if (!value)
            return "an option lacks its value";
        ++i;
        if (opt == "--filter") filterTexts.push_back(value);
        else if (opt == "--custom-filter") customFilter = value;
        else if (opt == "--filter-index") { if (!ParseInt(value, &r->filterIndex)) return "--filter-index needs a number"; }
        else if (opt == "--custom-filter-size") { if (!ParseInt(value, &r->customFilterSize)) return "--custom-filter-size needs a number"; }
        else if (opt == "--file") r->file = value;
        else if (opt == "--file-size") { if (!ParseInt(value, &r->fileBufferSize)) return "--file-size needs a number"; }
        else if (opt == "--file-title") r->fileTitle = value;
        else if (opt == "--file-title-size") { if (!ParseInt(value, &r->fileTitleSize)) return "--file-title-size needs a number"; }
        else if (opt == "--initial-dir") r->initialDir = value;
        else if (opt == "--title") r->title = value;
        else if (opt == "--flags") {
            if (!ParseNumber(value, &number) || number < 0 || number > 0xFFFFFFFFLL)
                return "--flags needs a number";
            r->flags |= (DWORD)number;
        }
        else if (opt == "--def-ext") r->defExt = value;
        else if (opt == "--workbook") workbookNames.emplace_back(value, false);
        else if (opt == "--workbook-special") workbookNames.emplace_back(value, true);
        else if (opt == "--check-box") { r->showCheckBox = 1; r->checkBoxText = value; }
        else if (opt == "--label") r->label = value;
        else if (opt == "--note") r->note = value;
        else if (opt == "--transport") {
            std::string t = value;
            if (t == "copydata") o->client.transport = JXR_TRANSPORT_COPYDATA;
            else if (t == "dropfiles") o->client.transport = JXR_TRANSPORT_DROPFILES;
            else return "--transport is copydata or dropfiles";
        }
        else if (opt == "--timeout") {
            if (!ParseNumber(value, &number) || number < 0 || number > 4000000)
                return "--timeout needs a number of seconds";
            o->client.timeoutMs = (DWORD)(number * 1000);
        }
        else if (opt == "--server") o->serverIndex = i;
    }
    // All texts go into pieces first; pointers are taken once it stops growing.
    for (const std::string &text : filterTexts)
        if (!SplitFilter(text.c_str(), o))
            return "--filter needs a text of the form \"Description|pattern\"";
    if (!customFilter.empty() && !SplitFilter(customFilter.c_str(), o))
        return "--custom-filter needs a text of the form \"Description|pattern\"";
    for (auto &w : workbookNames)
        o->pieces.push_back(w.first);
    size_t k = 0;
    for (; k < 2 * filterTexts.size(); k += 2)
        o->filters.push_back({o->pieces[k].c_str(), o->pieces[k + 1].c_str()});
    if (!customFilter.empty()) {
        r->customFilter = {o->pieces[k].c_str(), o->pieces[k + 1].c_str()};
        if (!r->customFilterSize)
            r->customFilterSize = 256;
        k += 2;
    }
    for (auto &w : workbookNames)
        o->workbooks.push_back({o->pieces[k++].c_str(), w.second});
    r->filters = o->filters.data();
    r->filterCount = (int)o->filters.size();
    r->workbooks = o->workbooks.data();
    r->workbookCount = (int)o->workbooks.size();
    // The extra controls live in the program's own template and hook.
    o->extras = r->workbookCount || r->showCheckBox || r->label || r->note;
    if (o->extras)
        r->flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    return NULL;
}

// A wide text in a code page; false when it cannot be written there
// exactly (the ANSI code page lacks a character, or writes another).
static bool Narrow(const wchar_t *text, UINT codePage, std::string *out)
{
    BOOL lossy = FALSE;
    bool fAnsi = codePage == CP_ACP && GetACP() != CP_UTF8;
    int size = WideCharToMultiByte(codePage, fAnsi ? WC_NO_BEST_FIT_CHARS : 0, text, -1, NULL,
                                   0, NULL, fAnsi ? &lossy : NULL);
    out->assign(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(codePage, fAnsi ? WC_NO_BEST_FIT_CHARS : 0, text, -1, &(*out)[0],
                            size, NULL, fAnsi ? &lossy : NULL);
    return size > 0 && !lossy;
}

// UTF-8 as it is to a pipe or a file; a console takes it wide, as it would
// read the bytes in its own code page.
static void Print(DWORD which, const std::string &utf8)
{
    HANDLE out = GetStdHandle(which);
    DWORD mode, written;
    if (!GetConsoleMode(out, &mode)) {
        WriteFile(out, utf8.data(), (DWORD)utf8.size(), &written, NULL);
        return;
    }
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0],
                                    (int)wide.size()));
    WriteConsoleW(out, wide.data(), (DWORD)wide.size(), &written, NULL);
}

// A text in the ANSI code page (the library's errors, an ANSI reply) in UTF-8.
static std::string FromAnsi(const char *text)
{
    std::wstring wide(strlen(text), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text, (int)wide.size(), &wide[0],
                                    (int)wide.size()));
    std::string utf8;
    Narrow(wide.c_str(), CP_UTF8, &utf8);
    return utf8;
}

// The arguments in UTF-8, or with --ansi in the ANSI code page; the server's
// path, which starts a program, always in the ANSI code page.
int main()
{
    int argc = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!wide)
        return JXR_ERROR;
    std::vector<std::string> args(argc);
    bool ansi = false;
    for (int i = 1; i < argc; ++i)
        ansi = ansi || wcscmp(wide[i], L"--ansi") == 0;
    bool exact = true;
    for (int i = 0; i < argc; ++i)
        exact = Narrow(wide[i], ansi ? CP_ACP : CP_UTF8, &args[i]) && exact;
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(&arg[0]);
    Options o;
    JxrRequestInit(&o.request);
    o.request.unicode = !ansi;
    o.client = {NULL, JXR_TRANSPORT_AUTO, 0};
    bool help = false;
    const char *bad = Parse(argc, argv.data(), &o, &help);
    std::string server;
    if (!bad && o.serverIndex && !Narrow(wide[o.serverIndex], CP_ACP, &server))
        bad = "--server: the path cannot be written in the ANSI code page";
    else if (!bad && !exact)
        bad = "an argument cannot be written in the ANSI code page (leave out --ansi)";
    o.client.serverPath = o.serverIndex ? server.c_str() : NULL;
    LocalFree(wide);
    if (help) {
        Print(STD_OUTPUT_HANDLE, usage);
        return 0;
    }
    if (bad) {
        Print(STD_ERROR_HANDLE, std::string("jxrdialog: ") + bad + "\n");
        return JXR_ERROR;
    }
    JxrReply reply;
    char error[256] = "";
    int result = JxrRunDialog(&o.request, &o.client, &reply, error, sizeof error);
    if (result == JXR_ERROR)
        Print(STD_ERROR_HANDLE, "jxrdialog: " + FromAnsi(error) + "\n");
    std::string text;
    for (int i = 0; i < reply.count; ++i)
        text += (o.request.unicode ? std::string(reply.strings[i]) : FromAnsi(reply.strings[i]))
                + "\n";
    Print(STD_OUTPUT_HANDLE, text);
    JxrReplyFree(&reply);
    return result;
}
