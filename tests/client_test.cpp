// The client library's request builder and reply decoding, and the
// validation of drop list blocks received from another process.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "client/jxrclient.h"
#include "wire/droplist.h"
#include "support/testsupport.h"

namespace {

std::vector<std::string> Slots(HGLOBAL list)
{
    std::vector<std::string> out;
    UINT count = DragQueryFileA((HDROP)list, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char text[JXR_SLOT_MAX + 1];
        UINT n = DragQueryFileA((HDROP)list, i, text, sizeof text);
        out.emplace_back(text, n);
    }
    return out;
}

TEST(RequestBuilder, EveryFieldLandsInItsSlot)
{
    JxrFilter filters[] = {{"Text files", "*.txt"}, {"All files", "*.*"}};
    JxrWorkbook books[] = {{"Book1.xls", 1}, {"Plain.xls", 0}};
    JxrRequest r;
    JxrRequestInit(&r);
    r.kind = JXR_SAVE;
    r.filters = filters;
    r.filterCount = 2;
    r.customFilter = {"Mine", "*.my"};
    r.customFilterSize = 64;
    r.filterIndex = 2;
    r.file = "start.txt";
    r.fileBufferSize = 260;
    r.fileTitle = "start";
    r.fileTitleSize = 100;
    r.initialDir = "C:\\DATA";
    r.title = "Save the data";
    r.flags = 0x80000020;
    r.defExt = "txt";
    r.workbooks = books;
    r.workbookCount = 2;
    r.showCheckBox = 1;
    r.checkState = 1;
    r.checkBoxText = "Save as Te&xt";
    r.label = "&Workbook Files:";
    r.note = "A note";
    r.reliefLook = 1;
    char error[128] = "";
    HGLOBAL list = JxrBuildRequest(&r, error, sizeof error);
    ASSERT_NE(list, nullptr) << error;
    std::vector<std::string> expected = {
        "SAVE", "-", "4\nText files\n*.txt\nAll files\n*.*", "2\nMine\n*.my", "64", "2",
        "1\nstart.txt", "260", "1\nstart", "100", "1\nC:\\DATA", "1\nSave the data",
        "2147483680", "1\ntxt", "2\nBook1.xls\n1\nPlain.xls\n0", "1", "1",
        "1\nSave as Te&xt", "1\n&Workbook Files:", "1\nA note", "1"};
    EXPECT_EQ(Slots(list), expected);
    GlobalFree(list);
}

extern "C" int JxrSlotCountSeenFromC(void);

TEST(RequestBuilder, DefaultsLeaveOptionalSlotsEmpty)
{
    JxrRequest r;
    JxrRequestInit(&r);
    HGLOBAL list = JxrBuildRequest(&r, nullptr, 0);
    ASSERT_NE(list, nullptr);
    std::vector<std::string> expected = {
        "OPEN", "-", "0", "0", "0", "1", "0", "4096", "0", "0", "0", "1\nOpen",
        "4", "0", "0", "0", "0", "1\n", "1\n", "0", "0"};
    EXPECT_EQ(Slots(list), expected);
    EXPECT_EQ(JxrSlotCountSeenFromC(), JXR_SLOT_COUNT);
    GlobalFree(list);
}

TEST(RequestBuilder, RefusesWhatTheWireCannotCarry)
{
    static JxrFilter noDescription[] = {{"", "*.txt"}, {"All", "*.*"}};
    static JxrFilter noPattern[] = {{"Text", nullptr}, {"All", "*.*"}};
    static JxrWorkbook noName[] = {{"", 0}, {"Book1.xls", 0}};
    struct Case {
        const char *what;
        void (*spoil)(JxrRequest *);
    } cases[] = {
        {"line feed in a title", [](JxrRequest *r) { r->title = "two\nlines"; }},
        {"negative buffer size", [](JxrRequest *r) { r->fileBufferSize = -1; }},
        {"count without entries", [](JxrRequest *r) { r->filterCount = 3; }},
        {"workbook name over 255", [](JxrRequest *r) {
             static std::string longName(256, 'w');
             static JxrWorkbook book = {longName.c_str(), 0};
             r->workbooks = &book;
             r->workbookCount = 1;
         }},
        {"slot over 9215 characters", [](JxrRequest *r) {
             static std::string longDir(9300, 'd');
             r->initialDir = longDir.c_str();
         }},
        // An empty line would end its list on the wire, losing what follows.
        {"no description", [](JxrRequest *r) { r->filters = noDescription; r->filterCount = 2; }},
        {"no pattern", [](JxrRequest *r) { r->filters = noPattern; r->filterCount = 2; }},
        {"custom pattern alone", [](JxrRequest *r) {
             r->customFilter = {"", "*.my"};
             r->customFilterSize = 64;
         }},
        {"empty workbook name", [](JxrRequest *r) { r->workbooks = noName; r->workbookCount = 2; }},
    };
    for (const Case &c : cases) {
        JxrRequest r;
        JxrRequestInit(&r);
        c.spoil(&r);
        char error[128] = "";
        EXPECT_EQ(JxrBuildRequest(&r, error, sizeof error), nullptr) << c.what;
        EXPECT_STRNE(error, "") << c.what;
    }
}

HDROP ReplyOf(const std::vector<const char *> &strings)
{
    HDROP list = DropListCreate(POINT{0, 0}, 0, 0);
    for (const char *s : strings)
        list = DropListAppend(list, s);
    return list;
}

// What the client reads of a reply list after a single-select and after a
// multi-select request: the numbers, the directory, the files.
TEST(ReplyDecoding, NumbersDirectoryAndFiles)
{
    struct {
        std::vector<const char *> strings;
        int multi, checkState, filterIndex;
        const char *directory;
        std::vector<std::string> files;
    } cases[] = {
        {{}, 0, 0, 0, nullptr, {}},
        {{"1", "2", "C:\\DATA\\A.TXT"}, 0, 1, 2, nullptr, {"C:\\DATA\\A.TXT"}},
        {{"0", "1", "C:\\", "C:\\\\A.TXT", "C:\\\\B.TXT"}, 1, 0, 1, "C:\\",
         {"C:\\\\A.TXT", "C:\\\\B.TXT"}},
    };
    for (auto &c : cases) {
        HDROP list = ReplyOf(c.strings);
        JxrReply reply;
        ASSERT_TRUE(JxrDecodeReply(list, c.multi, &reply));
        EXPECT_EQ(reply.count, (int)c.strings.size());
        EXPECT_EQ(reply.checkState, c.checkState);
        EXPECT_EQ(reply.filterIndex, c.filterIndex);
        EXPECT_STREQ(reply.directory, c.directory);
        EXPECT_EQ(std::vector<std::string>(reply.files, reply.files + reply.fileCount), c.files);
        JxrReplyFree(&reply);
        DragFinish(list);
    }
}

// A stand-in for the server's frame window, in this process.
BOOL fFrameAccepts;

LRESULT CALLBACK FakeFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_COPYDATA ? fFrameAccepts : DefWindowProcA(window, message, wParam, lParam);
}

// The reply window takes one reply, only once its request was accepted, and
// only from the frame window its request went to (the reply's wParam, whose
// low 32 bits alone count: a 32-bit server's handle). A request over 1 MiB
// is not sent.
TEST(ReplyWindow, TakesOneReplyFromItsOwnServerOnly)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = FakeFrame;
    wc.lpszClassName = "JxrFakeFrame";
    RegisterClassA(&wc);
    HWND server = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                nullptr);
    HWND replyWindow = JxrCreateReplyWindow();
    HDROP reply = ReplyOf({"0", "1", "C:\\A.TXT"});
    COPYDATASTRUCT data = {JXR_COPYDATA_REPLY, (DWORD)GlobalSize(reply), GlobalLock(reply)};
    auto deliver = [&](HWND from, WPARAM high = 0) {
        return SendMessageA(replyWindow, WM_COPYDATA, (WPARAM)from | high, (LPARAM)&data);
    };
    auto request = [&]() {
        JxrRequest r;
        JxrRequestInit(&r);
        return JxrSendRequest(server, replyWindow, JxrBuildRequest(&r, nullptr, 0),
                              JXR_TRANSPORT_COPYDATA, nullptr, 0);
    };
    char error[128] = "";
    HGLOBAL huge = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, JXR_REQUEST_MAX + 1);
    EXPECT_FALSE(JxrSendRequest(server, replyWindow, huge, JXR_TRANSPORT_COPYDATA, error,
                                sizeof error));
    EXPECT_STREQ(error, "the request is larger than 1048576 bytes");
    EXPECT_EQ(deliver(server), FALSE) << "no request sent";
    fFrameAccepts = FALSE;
    EXPECT_FALSE(request());
    EXPECT_EQ(deliver(server), FALSE) << "the request was refused";
    fFrameAccepts = TRUE;
    EXPECT_TRUE(request());
    EXPECT_EQ(deliver(replyWindow), FALSE) << "another window";
    EXPECT_EQ(deliver(server, sizeof(WPARAM) > 4 ? ~(WPARAM)0 << 16 << 16 : 0), TRUE);
    EXPECT_EQ(deliver(server), FALSE) << "a second reply";
    GlobalUnlock(reply);
    DragFinish(reply);
    DestroyWindow(replyWindow);
    DestroyWindow(server);
}

// A reply window whose creation fails once the window existed frees its
// record once (a second free is recorded, not made).
ImportPatch *createPatch, *freePatch;
void *freedBlocks[16];
int freedCount = -1;    // recording while not negative

HWND WINAPI CreateThenDestroy(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x,
                              int y, int width, int height, HWND parent, HMENU menu,
                              HINSTANCE instance, LPVOID param)
{
    DestroyWindow(createPatch->Original<decltype(&CreateWindowExA)>()(
        exStyle, className, title, style, x, y, width, height, parent, menu, instance, param));
    return nullptr;
}

void __cdecl RecordFree(void *block)
{
    bool again = std::count(freedBlocks, freedBlocks + std::max(freedCount, 0), block) > 0;
    if (freedCount >= 0 && freedCount < 16 && block)
        freedBlocks[freedCount++] = block;
    if (!again)
        freePatch->Original<void(__cdecl *)(void *)>()(block);
}

TEST(ReplyWindow, ACreationThatFailsHalfWayFreesItsRecordOnce)
{
    ImportPatch create("user32.dll", "CreateWindowExA", (void *)CreateThenDestroy);
    ImportPatch heapFree("msvcrt.dll", "free", (void *)RecordFree);
    ASSERT_NE(create.slot, nullptr);
    ASSERT_NE(heapFree.slot, nullptr);
    createPatch = &create;
    freePatch = &heapFree;
    freedCount = 0;
    HWND window = JxrCreateReplyWindow();
    int frees = freedCount;
    freedCount = -1;
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(frees, 1);
}

std::vector<BYTE> Block(std::initializer_list<const char *> strings, DWORD pFiles = 20)
{
    std::vector<BYTE> b(pFiles, 0);
    memcpy(b.data(), &pFiles, 4);
    for (const char *s : strings)
        b.insert(b.end(), s, s + strlen(s) + 1);
    b.push_back(0);
    return b;
}

TEST(DropListFromBlock, AcceptsWholeListsOnly)
{
    std::vector<BYTE> good = Block({"OPEN", "-"});
    HDROP list = DropListFromBlock(good.data(), good.size());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(DragQueryFileA(list, 0xFFFFFFFF, nullptr, 0), 2u);
    DragFinish(list);

    std::vector<BYTE> offset = Block({"x"}, 24);     // strings further on: allowed
    list = DropListFromBlock(offset.data(), offset.size());
    ASSERT_NE(list, nullptr);
    DragFinish(list);

    EXPECT_EQ(DropListFromBlock(good.data(), 20), nullptr) << "header only";
    EXPECT_EQ(DropListFromBlock(good.data(), good.size() - 1), nullptr) << "final NUL missing";
    EXPECT_EQ(DropListFromBlock(good.data(), 24), nullptr) << "string cut";
    std::vector<BYTE> low = good;
    low[0] = 19;
    EXPECT_EQ(DropListFromBlock(low.data(), low.size()), nullptr) << "pFiles below 20";
    std::vector<BYTE> outside = good;
    outside[0] = (BYTE)good.size();
    EXPECT_EQ(DropListFromBlock(outside.data(), outside.size()), nullptr) << "pFiles outside";
    std::vector<BYTE> wide = good;
    wide[16] = 1;                                      // odd length as UTF-16: no final NUL pair
    wide.pop_back();
    EXPECT_EQ(DropListFromBlock(wide.data(), wide.size()), nullptr) << "wide, unterminated";
    EXPECT_EQ(DropListFromBlock(nullptr, 100), nullptr);
}

}  // namespace
