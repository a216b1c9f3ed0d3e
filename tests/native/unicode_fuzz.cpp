// Fuzz target: the texts of a Unicode request, and its wide reply. The input
// as a request list is widened as the server widens one: every text within
// its buffer and well formed, and for a list that DropListIsUtf8 takes,
// whole (a cut drops the character it splits, never leaves a U+FFFD); a
// buffer too small gets none of a text. The input as a wide reply list reads
// back through the client: in UTF-8 the true names, in ANSI strings that
// end within the block.
#include <stdint.h>
#include <string>
#include <vector>
#include "fuzz.h"
#include "client/jxrclient.h"
#include "server/decode.h"

// UTF-8 of length units of UTF-16; "\xFF" (no UTF-8) for a text not well
// formed.
static std::string Narrowed(const WCHAR *text, size_t length)
{
    std::string utf8(3 * length, 0);
    int n = length ? WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, (int)length,
                                         &utf8[0], (int)utf8.size(), NULL, NULL) : 0;
    return n || !length ? utf8.substr(0, n) : "\xFF";
}

// A text or list, with its two guard NULs after size units when size is known.
struct Widened { const WCHAR *text; DWORD size; bool fList; };

static void CheckWidened(const Widened &field, bool fWhole)
{
    const WCHAR *at = field.text;
    if (!at)
        return;
    for (; (field.fList || at == field.text) && *at; at += lstrlenW(at) + 1) {
        std::string utf8 = Narrowed(at, lstrlenW(at));
        Check(utf8 != "\xFF" && !(fWhole && utf8.find("\xEF\xBF\xBD") != std::string::npos));
    }
    size_t used = field.fList ? at + 1 - field.text : lstrlenW(field.text) + 1;
    Check(!field.size || (used <= field.size && !field.text[field.size]
                          && !field.text[field.size + 1]));
}

static void CheckRequest(HGLOBAL list)
{
    bool fUtf8 = true, fWhole = true;
    const char *first = (const char *)GlobalLock(list) + sizeof(DROPFILES);
    for (const char *slot = first; *slot; slot += strlen(slot) + 1) {
        std::vector<WCHAR> wide(strlen(slot) + 1);
        int units = MultiByteToWideChar(CP_UTF8, 0, slot, -1, wide.data(), (int)wide.size());
        Check(IsUtf8(slot) == (Narrowed(wide.data(), units - 1) == slot));
        fUtf8 = fUtf8 && IsUtf8(slot);
        fWhole = fWhole && !strstr(slot, "\xEF\xBF\xBD");
        // Its last byte cut off, into small buffers and one that fits: whole
        // characters, or none when it does not fit.
        std::string cut(slot, strlen(slot) - 1);
        const size_t sizes[] = {1, 2, 3, 4, cut.size() + 1};
        for (size_t size : sizes) {
            std::vector<WCHAR> out(size);
            int n = WidenText(CP_UTF8, cut.c_str(), out.data(), (int)size);
            std::string back = Narrowed(out.data(), n);
            Check(!out[n] && (!IsUtf8(slot) || (!n && size <= cut.size())
                              || (cut.compare(0, back.size(), back) == 0
                                  && cut.size() - back.size() < 4)));
        }
    }
    Check(DropListIsUtf8((HDROP)list) == fUtf8);
    HDROP request = *first ? (HDROP)list : NULL;   // as the server reads an empty slot 0
    std::vector<char> slot(SLOT_BUFFER_SIZE), workbooks(SLOT_BUFFER_SIZE);
    OPENFILENAMEW ofn;
    ZeroMemory(&ofn, sizeof ofn);
    DecodeWideRequest(request, &ofn, slot.data(), CP_UTF8);
    DialogExtras extras;
    ExtrasTexts texts;
    DecodeDialogExtras(request, &extras, &texts, slot.data(), workbooks.data());
    WCHAR label[EXTRAS_TEXT_SIZE];      // as the dialog shows it, cut at 127 bytes
    WidenText(CP_UTF8, texts.label, label, EXTRAS_TEXT_SIZE);
    const Widened fields[] = {
        {ofn.lpstrFilter, 0, true}, {ofn.lpstrCustomFilter, ofn.nMaxCustFilter, true},
        {ofn.lpstrFile, ofn.nMaxFile, false}, {ofn.lpstrFileTitle, ofn.nMaxFileTitle, false},
        {ofn.lpstrInitialDir, 0, false}, {ofn.lpstrTitle, 0, false},
        {ofn.lpstrDefExt, 0, false}, {label, 0, false},
    };
    for (const Widened &field : fields)
        CheckWidened(field, fUtf8 && fWhole);
    ReleaseDialogRequest(&ofn);
}

static void CheckReply(HGLOBAL list)
{
    for (int fUtf8 = 0; fUtf8 < 2; fUtf8++) {
        JxrReply reply;
        Check((fUtf8 ? JxrDecodeReplyUtf8 : JxrDecodeReply)(list, 1, &reply));
        const WCHAR *name = (const WCHAR *)((BYTE *)GlobalLock(list) + sizeof(DROPFILES));
        for (int i = 0; i < reply.count; i++, name += lstrlenW(name) + 1) {
            std::string utf8 = Narrowed(name, lstrlenW(name));
            Check(*name && *reply.strings[i] && (!fUtf8 || IsUtf8(reply.strings[i])));
            Check(!fUtf8 || utf8 == "\xFF" || utf8 == reply.strings[i]);
        }
        Check(!*name);
        JxrReplyFree(&reply);
    }
}

// The input as the texts of a list, bytes or UTF-16 units, then two NULs.
static HGLOBAL ListOf(const uint8_t *data, size_t size, bool fWide)
{
    size_t bytes = fWide ? size / 2 * 2 : size;
    std::vector<BYTE> block(sizeof(DROPFILES) + bytes + 4);
    DROPFILES *header = (DROPFILES *)block.data();
    header->pFiles = sizeof(DROPFILES);
    header->fWide = fWide;
    memcpy(block.data() + sizeof(DROPFILES), data, bytes);
    HGLOBAL list = (HGLOBAL)DropListFromBlock(block.data(), block.size());
    Check(list != NULL);
    return list;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    HGLOBAL request = ListOf(data, size, false), reply = ListOf(data, size, true);
    CheckRequest(request);
    CheckReply(reply);
    GlobalFree(request);
    GlobalFree(reply);
    return 0;
}
