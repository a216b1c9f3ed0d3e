// Command-line client of the file dialog server: one option per request
// field, the reply printed one string a line.
// Exit status: 0 confirmed, 1 cancelled, 2 error (reason on stderr).
#include "client/jxrclient.h"
#include <fcntl.h>
#include <io.h>
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
        else if (opt == "--server") o->client.serverPath = value;
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

int main(int argc, char **argv)
{
    // One string a line, with plain line feeds whatever the system.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    Options o;
    JxrRequestInit(&o.request);
    o.client = {NULL, JXR_TRANSPORT_AUTO, 0};
    bool help = false;
    const char *bad = Parse(argc, argv, &o, &help);
    if (help) {
        fputs(usage, stdout);
        return 0;
    }
    if (bad) {
        fprintf(stderr, "jxrdialog: %s\n", bad);
        return JXR_ERROR;
    }
    JxrReply reply;
    char error[256] = "";
    int result = JxrRunDialog(&o.request, &o.client, &reply, error, sizeof error);
    if (result == JXR_ERROR)
        fprintf(stderr, "jxrdialog: %s\n", error);
    for (int i = 0; i < reply.count; ++i)
        printf("%s\n", reply.strings[i]);
    JxrReplyFree(&reply);
    return result;
}
