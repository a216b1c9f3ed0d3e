// Registration: switching the library on and off, the display test, and
// the per-thread hook table driven by real threads.
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>
#include "reliefsupport.h"
#include "relief/state.h"

namespace {

HINSTANCE Other() { return GetModuleHandleA("kernel32.dll"); }   // a second module
ReliefRecord &rs = ReliefState;

const ThreadHookEntry *RowOf(DWORD threadId)
{
    for (int i = 0; i < rs.hookCount; ++i)
        if (rs.ThreadHookTable[i].threadId == threadId)
            return &rs.ThreadHookTable[i];
    return nullptr;
}

// ---- Switching on and off ----

// The last unregistration takes everything down; one without a
// registration open changes nothing; a later one starts anew.
TEST(Registration, LastUnregistrationTakesEverythingDownANewOneStartsAnew)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    ASSERT_TRUE(ReliefRegister(Self()));
    EXPECT_TRUE(ReliefUnregister(Self()));
    EXPECT_TRUE(rs.reliefOn) << "one registration is still open";
    EXPECT_EQ(PropertyAtomsFound(), 7);
    HGDIOBJ objects[] = {rs.BrushTable[0], rs.BrushTable[1], rs.BrushTable[2], rs.checkBitmap};
    for (HGDIOBJ object : objects)
        EXPECT_NE(GetObjectType(object), 0u);
    EXPECT_TRUE(ReliefUnregister(Self()));
    EXPECT_FALSE(rs.reliefOn);
    EXPECT_EQ(rs.registerCount, 0);
    EXPECT_EQ(PropertyAtomsFound(), 0);
    EXPECT_EQ(rs.atomBase | rs.atomNew | rs.atomL | rs.atomH | rs.atomLNew | rs.atomHNew | rs.atomD,
              0);
    for (HGDIOBJ object : objects)
        EXPECT_EQ(GetObjectType(object), 0u) << "object not deleted";
    EXPECT_EQ(rs.BrushTable[0] || rs.BrushTable[1] || rs.BrushTable[2] || rs.checkBitmap, false);
    for (const ClassProcEntry &row : rs.ClassProcTable)
        EXPECT_TRUE(!row.subclassProc && row.systemProc) << "system procedures are kept";
    EXPECT_TRUE(ReliefUnregister(Self()));
    EXPECT_EQ(rs.registerCount, 0);
    // The process attach acts for reason 1 only; a registration after the
    // last attaches and initialises again, as in a process that never did.
    rs.hookInstance = rs.resourceInstance = nullptr, rs.winVersion = rs.platform = 0;
    rs.frameMetrics = FrameMetrics{};
    for (DWORD reason : {0u, 2u, 3u}) {
        EXPECT_TRUE(ReliefProcessAttach(Self(), reason, nullptr));
        EXPECT_TRUE(!rs.hookInstance && !rs.resourceInstance && !rs.winVersion) << reason;
    }
    ASSERT_TRUE(ReliefRegister(Self())) << "a later registration still switches the library on";
    EXPECT_EQ(rs.winVersion, WinVersionOf(GetVersion()));
    EXPECT_TRUE(rs.hookInstance == Self() && rs.resourceInstance == Self());
    const FrameMetrics &m = rs.frameMetrics;
    EXPECT_TRUE(m.cxFrame == GetSystemMetrics(SM_CXDLGFRAME) - 1
                && m.cyFrame == GetSystemMetrics(SM_CYDLGFRAME) - 1
                && m.cyCaption == GetSystemMetrics(SM_CYCAPTION));
    EXPECT_TRUE(PropertyAtomsFound() == 7 && rs.checkBitmap);
    for (int i = 0; i < RCLASS_COUNT; ++i)
        EXPECT_EQ(rs.ClassProcTable[i].subclassProc, ClassTable[i].subclassProc);
    ReliefUnregister(Self());
    EXPECT_FALSE(rs.reliefOn);
}

ImportPatch *addAtomPatch, *deleteAtomPatch;
std::vector<ATOM> deletedAtoms;

ATOM WINAPI AddAtomFailingAtRlfH(LPCSTR name)
{
    return lstrcmpA(name, "RlfH") ? addAtomPatch->Original<decltype(&GlobalAddAtomA)>()(name) : 0;
}
ATOM WINAPI RecordDeleteAtom(ATOM atom)
{
    deletedAtoms.push_back(atom);
    return deleteAtomPatch->Original<ATOM(WINAPI *)(ATOM)>()(atom);
}

TEST(Registration, AtomFailureDeletesOnlyTheAtomsAdded)
{
    ImportPatch add("kernel32.dll", "GlobalAddAtomA", (void *)AddAtomFailingAtRlfH);
    ImportPatch del("kernel32.dll", "GlobalDeleteAtom", (void *)RecordDeleteAtom);
    addAtomPatch = &add, deleteAtomPatch = &del;
    EXPECT_FALSE(ReliefRegister(Self()));
    std::vector<ATOM> held = {rs.atomBase, rs.atomNew, rs.atomL};
    EXPECT_TRUE(!(rs.atomH | rs.atomLNew | rs.atomHNew | rs.atomD) && !rs.BrushTable[0]);
    ReliefUnregister(Self());
    EXPECT_EQ(deletedAtoms, held);
    EXPECT_EQ(PropertyAtomsFound(), 0);
}

ImportPatch *classInfoPatch;
BOOL WINAPI ClassInfoWithoutEditAndDialog(HINSTANCE instance, LPCSTR name, WNDCLASSA *wc)
{
    if (IS_INTRESOURCE(name) ? (UINT_PTR)name == 0x8002 : lstrcmpA(name, "Edit") == 0)
        return FALSE;
    return classInfoPatch->Original<decltype(&GetClassInfoA)>()(instance, name, wc);
}

TEST(Registration, UnknownSystemClassForwardsToTheDefaultProcedure)
{
    ImportPatch patch("user32.dll", "GetClassInfoA", (void *)ClassInfoWithoutEditAndDialog);
    classInfoPatch = &patch;
    ASSERT_TRUE(ReliefRegister(Self()));
    EXPECT_TRUE(rs.ClassProcTable[RCLASS_EDIT].systemProc == DefWindowProcA
                && rs.dialogSystemProc == DefDlgProcA);
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(nullptr, "Button", &wc));
    EXPECT_EQ(rs.ClassProcTable[RCLASS_BUTTON].systemProc, wc.lpfnWndProc);
    ReliefUnregister(Self());
}

// ---- The display test ----
// The display as the program's GetDeviceCaps and GetSystemMetrics report
// it. (A Wine virtual desktop of 640 x 350 would be real, but it changes
// the screen size of the whole Wine session until the wineserver ends.)
struct FakeDisplay {
    static int bits, planes, cx, cy;
    static ImportPatch *caps, *metrics;
    static int WINAPI DeviceCaps(HDC dc, int index)
    {
        return index == BITSPIXEL ? bits : index == PLANES ? planes
            : caps->Original<int(WINAPI *)(HDC, int)>()(dc, index);
    }
    static int WINAPI SystemMetrics(int index)
    {
        return index == SM_CXSCREEN ? cx : index == SM_CYSCREEN ? cy
            : metrics->Original<int(WINAPI *)(int)>()(index);
    }
};
int FakeDisplay::bits, FakeDisplay::planes, FakeDisplay::cx, FakeDisplay::cy;
ImportPatch *FakeDisplay::caps, *FakeDisplay::metrics;

TEST(DisplayTest, NeedsSixteenColoursAndMoreThanEga)
{
    ImportPatch caps("gdi32.dll", "GetDeviceCaps", (void *)FakeDisplay::DeviceCaps);
    ImportPatch metrics("user32.dll", "GetSystemMetrics", (void *)FakeDisplay::SystemMetrics);
    FakeDisplay::caps = &caps, FakeDisplay::metrics = &metrics;
    struct { int bits, planes, cx, cy; bool on; } cases[] = {
        {4, 1, 640, 480, true}, {1, 2, 1024, 768, false}, {32, 1, 640, 350, false},
        {32, 1, 720, 350, true}, {1, 1, 1024, 768, false},
    };
    ReleaseDC(nullptr, GetDC(nullptr));     // the screen DC made before counting
    int objects = GdiObjectCount();
    for (const auto &c : cases) {
        FakeDisplay::bits = c.bits, FakeDisplay::planes = c.planes;
        FakeDisplay::cx = c.cx, FakeDisplay::cy = c.cy;
        SCOPED_TRACE(testing::Message() << c.bits << " bits x " << c.planes << " planes, "
                                        << c.cx << " x " << c.cy);
        EXPECT_EQ(ReliefRegister(Self()), c.on);
        if (!c.on) {
            EXPECT_TRUE(!PropertyAtomsFound() && !rs.checkBitmap && GdiObjectCount() == objects);
            EXPECT_FALSE(ReliefAutoSubclass(Self()) || rs.hookCount || ReliefColorChange()
                         || ReliefCtlColor(WM_CTLCOLORBTN, nullptr, nullptr));
        }
        EXPECT_TRUE(ReliefUnregister(Self()) && !rs.registerCount);
    }
}

// ---- The hook table ----
TEST(HookTable, FullTableRefusesEveryRequest)
{
    ReliefRegister(Self());
    std::vector<std::unique_ptr<Worker>> workers;
    for (int i = 0; i < RELIEF_MAX_THREADS; ++i) {
        workers.emplace_back(new Worker);
        BOOL added = FALSE;
        workers.back()->Run([&] { ReliefRegister(Self()); added = ReliefAutoSubclass(Self()); });
        ASSERT_TRUE(added) << "row " << i;
    }
    EXPECT_EQ(rs.hookCount, RELIEF_MAX_THREADS);
    BOOL refused = TRUE;
    Worker extra;
    extra.Run([&] { refused = !ReliefAutoSubclass(Self()); });
    EXPECT_TRUE(refused) << "a thread without a row";
    workers[5]->Run([&] { refused = !ReliefAutoSubclass(Self()); });
    EXPECT_TRUE(refused && RowOf(workers[5]->id)->useCount == 1) << "a thread with a row";
    for (auto &worker : workers)
        worker->Run([] { ReliefUnregister(Self()); });
    EXPECT_EQ(rs.hookCount, 0);
    ReliefUnregister(Self());
}

// Random requests of six threads from two modules against a model: one row
// a thread, in the order made, with its creator, hook and the first
// request's flags normalised, counted up by each request and registration
// there, gone when its count runs out or its creator unregisters; the
// cache names a live row of its thread.
TEST(HookTable, TableFollowsTheRulesThroughAnySequence)
{
    struct Model { int registrations = 0, useCount = 0; HINSTANCE creator = nullptr; DWORD flags; };
    const DWORD normalised[8] = {1, 1, 0, 0, 5, 5, 4, 4};     // RELIEF_FRAMES_ONLY clears 0 and 1
    const int kThreads = 6;
    Worker workers[kThreads];
    Model model[kThreads];
    std::vector<int> order;    // threads with a row, in the order made
    HINSTANCE modules[2] = {Self(), Other()};
    ReliefRegister(Self());
    unsigned seed = 12345;
    for (int step = 0; step < 400; ++step) {
        seed = seed * 1103515245 + 12345;
        int t = (seed >> 8) % kThreads, op = (seed >> 16) % 3;
        HINSTANCE module = modules[seed >> 24 & 1];
        Model &m = model[t];
        if (op == 0) {
            workers[t].Run([&] { ReliefRegister(module); });
            m.registrations++;
            m.useCount += m.useCount > 0;
        } else if (op == 1 && m.registrations > 0) {
            DWORD flags = seed >> 4 & 7;
            workers[t].Run([&] { ReliefAutoSubclassEx(module, flags); });
            if (m.useCount++ == 0) {
                m.creator = module, m.flags = normalised[flags];
                order.push_back(t);
            }
        } else if (m.registrations > 0) {
            workers[t].Run([&] { ReliefUnregister(module); });
            m.registrations--;
            if (m.useCount > 0 && (--m.useCount == 0 || m.creator == module)) {
                m.useCount = 0;
                order.erase(std::find(order.begin(), order.end(), t));
            }
        }
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_EQ(rs.hookCount, (int)order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            const ThreadHookEntry &row = rs.ThreadHookTable[i];
            const Model &want = model[order[i]];
            ASSERT_TRUE(row.threadId == workers[order[i]].id && row.instance == want.creator
                        && row.hook && row.flags == want.flags);
            ASSERT_EQ(row.useCount, want.useCount);
        }
        ASSERT_TRUE(rs.cachedThread == 0 || (rs.cachedRow >= 0 && rs.cachedRow < rs.hookCount
                    && rs.ThreadHookTable[rs.cachedRow].threadId == rs.cachedThread));
    }
    // A row may outlive its thread's registrations; the creator's
    // unregistration removes it.
    for (int t = 0; t < kThreads; ++t) {
        HINSTANCE creator = model[t].creator ? model[t].creator : Self();
        workers[t].Run([&] {
            ReliefRegister(Self());
            for (int i = 0; i <= model[t].registrations; ++i)
                ReliefUnregister(creator);
        });
    }
    ReliefUnregister(Self());
    EXPECT_TRUE(!rs.hookCount && !rs.reliefOn);
}

// Threads register, hook, unhook and unregister at once while the library
// goes on and off under them: every registration finds it on, and at the
// end nothing is left.
TEST(HookTable, ConcurrentThreadsLeaveTableAndCountsConsistent)
{
    ReliefRegister(Self());
    ReliefUnregister(Self());
    int objects = GdiObjectCount();
    std::atomic<int> failures{0};
    const int kThreads = 8;
    TestThread threads[kThreads];
    for (TestThread &thread : threads)
        thread.Start([&] {
            for (int round = 0; round < 150; ++round) {
                failures += !ReliefRegister(Self());
                failures += !ReliefAutoSubclass(Self());
                failures += !ThreadHasHookEntry();
                ReliefUnregister(Self());
                failures += ThreadHasHookEntry();
            }
        });
    for (TestThread &thread : threads)
        ASSERT_TRUE(thread.Join(60000));
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(!rs.registerCount && !rs.hookCount && !rs.reliefOn && !PropertyAtomsFound());
    EXPECT_EQ(GdiObjectCount(), objects);
}

}  // namespace
