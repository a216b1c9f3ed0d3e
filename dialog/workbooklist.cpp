// Reading the workbook list of a request, entry by entry.
#include "dialog/dialogextras.h"
#include "wire/slottext.h"
#include <string.h>

// The start of the line after the first, or the end of the text.
static const char *SkipLine(const char *text)
{
    const char *next = NextLine(text);
    return next ? next : text + strlen(text);
}

// The count is read from the line as kept.
void OpenWorkbookList(WorkbookList *list, const char *text)
{
    char line[WORKBOOK_LINE_SIZE];
    text = text ? text : "";
    CopyLine(line, sizeof line, text);
    list->left = ReadListCount(line);
    list->cursor = SkipLine(text);
}

// The flag line may be missing.
BOOL ReadWorkbook(WorkbookList *list, char *name, BOOL *fSpecial)
{
    if (list->left <= 0 || !*list->cursor)
        return FALSE;
    list->left--;
    CopyLine(name, WORKBOOK_LINE_SIZE, list->cursor);
    list->cursor = SkipLine(list->cursor);
    *fSpecial = list->cursor[0] == '1';
    list->cursor = SkipLine(list->cursor);
    return TRUE;
}
