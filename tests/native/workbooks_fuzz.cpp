// Fuzz target: the workbook list as the client wrote it, read entry by
// entry as the workbook box is filled: every name a single line that fits
// its buffer, and no more entries than the text has lines.
#include <stdint.h>
#include <string.h>
#include <vector>
#include "fuzz.h"
#include "dialog/dialogextras.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<char> text(data, data + size);
    text.push_back(0);
    int lines = 1;
    for (const char *at = text.data(); (at = strchr(at, '\n')) != NULL; at++)
        lines++;
    WorkbookList list;
    char name[WORKBOOK_LINE_SIZE];
    BOOL fSpecial;
    OpenWorkbookList(&list, text.data());
    for (int entries = 1; ReadWorkbook(&list, name, &fSpecial); entries++) {
        Check(strlen(name) < WORKBOOK_LINE_SIZE && !strchr(name, '\n'));
        Check(2 * entries <= lines);    // the last flag line may be missing
    }
    return 0;
}
