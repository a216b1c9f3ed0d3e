// Paint cost of the relief look: the gallery dialog repainted whole, in the
// relief look and plain, in alternating rounds so both see the same load;
// then a thousand relief galleries created and destroyed, which must leave
// the GDI objects and the owner's window properties as they were. Run it
// under a version below 3.95 (scripts/bench.sh sets it).
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "benchutil.h"
#include "relief/relief.h"
#include "tests/relief/reliefsupport.h"
#include "tools/gallery.h"

static void Repaint(HWND dialog)
{
    RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

static double TimeRepaints(HWND dialog, int count)
{
    double start = Now();
    for (int i = 0; i < count; ++i)
        Repaint(dialog);
    return (Now() - start) / count;
}

static BOOL CALLBACK CountProperty(HWND, LPSTR, HANDLE, ULONG_PTR count)
{
    ++*(int *)count;
    return TRUE;
}

static int PropertyCount(HWND window)
{
    int count = 0;
    EnumPropsExA(window, CountProperty, (LPARAM)&count);
    return count;
}

static HWND ShowGallery(HINSTANCE self, HWND owner, int y)
{
    HWND dialog = CreateGallery(self, owner);
    SetWindowPos(dialog, NULL, 0, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    Repaint(dialog);
    return dialog;
}

int main(int argc, char **argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 15, cycles = argc > 2 ? atoi(argv[2]) : 1000;
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND owner = CreateWindowExA(0, "STATIC", "paint bench", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND plain = ShowGallery(self, owner, 0);
    if (!ReliefRegister(self) || !ReliefAutoSubclass(self)) {
        fprintf(stderr, "paint_bench: no relief look here (run under a version below 3.95)\n");
        return 1;
    }
    HWND relief = ShowGallery(self, owner, 390);
    std::vector<double> plainTimes, reliefTimes;
    for (int i = 0; i < rounds; ++i) {
        plainTimes.push_back(TimeRepaints(plain, 20));
        reliefTimes.push_back(TimeRepaints(relief, 20));
    }
    double mp = Median(plainTimes), mr = Median(reliefTimes);
    printf("gallery dialog repainted whole, median of %d rounds of 20:\n", rounds);
    printf("  system look   %8.2f ms\n", mp);
    printf("  relief look   %8.2f ms\n", mr);
    printf("  ratio         %8.3f\n", mr / mp);
    DestroyWindow(plain);
    DestroyWindow(relief);

    int objects = GdiObjectCount(), properties = PropertyCount(owner), atoms = PropertyAtomsFound();
    for (int i = 0; i < cycles; ++i)
        DestroyWindow(ShowGallery(self, owner, 0));
    int objectsAfter = GdiObjectCount(), propertiesAfter = PropertyCount(owner), atomsAfter = PropertyAtomsFound();
    printf("%d relief galleries created and destroyed:\n", cycles);
    printf("  GDI objects          %d before, %d after\n", objects, objectsAfter);
    printf("  owner's properties   %d before, %d after\n", properties, propertiesAfter);
    printf("  property atoms       %d before, %d after\n", atoms, atomsAfter);
    ReliefUnregister(self);
    if (objects <= 0) {
        fprintf(stderr, "paint_bench: the GDI handle table could not be read\n");
        return 1;
    }
    return objects == objectsAfter && properties == propertiesAfter && atoms == atomsAfter ? 0 : 1;
}
