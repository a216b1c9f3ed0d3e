// Shows the customised file dialog with a sample request for screenshots
// (scripts/screenshots.sh): once the dialog is up and painted it prints the
// screen rectangle to capture as "WxH+X+Y", then waits until its standard
// input closes and cancels the dialog. Built once per style.
#include <windows.h>
#include <stdio.h>
#include "support/customdialog.h"
#include "support/dialogdriver.h"
#include "res/resource.h"

int main()
{
    TempFolder folder({"Budget 2024.xls", "Forecast.xls", "Invoices.xls", "Notes.txt"},
                      "Workbooks");
    CustomRequest request;
    request.workbooks = "4\nBudget 2024.xls\n0\nInvoice.xlt\n1\nForecast.xls\n0\nReport.xlt\n1";
    request.label = "&Workbooks:";
    request.showCheckBox = 1;
    request.checkState = 1;
    request.checkBoxText = "Save as te&xt";
    request.hasNote = true;
    request.note = "Grey entries are templates: they open as new workbooks.";
    request.initialDir = folder.path;
    DialogRun run(request);
    run.title = "Open workbook";
    run.Run([](HWND dialog) {
        // A template entry: drawn grey, taken without its extension.
        PickComboEntry(CustomControl(dialog, IDC_WORKBOOKS), 1);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(500);
        RECT shot;
        GetWindowRect(dialog, &shot);
        printf("%ldx%ld+%ld+%ld\n", shot.right - shot.left, shot.bottom - shot.top, shot.left,
               shot.top);
        fflush(stdout);
        char ignored[64];
        DWORD read;
        while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), ignored, sizeof ignored, &read, nullptr) &&
               read)
            ;
    });
    return 0;
}
