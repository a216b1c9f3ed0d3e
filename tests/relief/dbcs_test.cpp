// The DBCS menu mode, on a double-byte system: CTest runs this program in
// a Japanese locale, where Wine reports code page 932.
#include <gtest/gtest.h>
#include <string>
#include "reliefsupport.h"
#include "relief/edges.h"
#include "relief/state.h"

namespace {

struct ProfileValue {   // written to the profile's "windows" section, removed again
    const char *key;
    ProfileValue(const char *k, const char *v) : key(k) { WriteProfileStringA("windows", k, v); }
    ~ProfileValue() { WriteProfileStringA("windows", key, nullptr); }
};

TEST(Dbcs, MarkerComesFromTheProfile)
{
    ASSERT_NE(GetSystemMetrics(SM_DBCSENABLED), 0) << "code page " << GetACP();
    struct { const char *key, *value; char marker; } cases[] = {
        {"kanjimenu", nullptr, 30}, {"kanjimenu", "Kanji", 31}, {"kanjimenu", "roman", 30},
        {"hangeulmenu", "HANGEUL", 31}, {"hangeulmenu", "english", 30},
        {"kanjimenu", "kanjikanjikanji", 30},    // read in part, safely
    };
    for (const auto &c : cases) {
        ProfileValue value(c.key, c.value);
        ASSERT_TRUE(ReliefRegister(Self()));
        EXPECT_TRUE(ReliefState.dbcsEnabled == 1 && ReliefState.mnemonicMarker == c.marker)
            << c.key << " = " << (c.value ? c.value : "");
        ReliefUnregister(Self());
    }
}

// "\x82\xa0" is a double-byte character of code page 932. Each case sets
// the marker in force itself; the profile's part is tested above.
TEST(Dbcs, MeasureKeepsTheCharacterAfterTheMarkerInForce)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    ASSERT_EQ(ReliefState.mnemonicMarker, 30);
    Canvas c(10, 10, RGB(0, 0, 0));
    SelectObject(c.dc, GetStockObject(DEFAULT_GUI_FONT));
    auto extent = [&](const std::string &text) {
        SIZE size{};
        return GetTextExtentPoint32A(c.dc, text.c_str(), (int)text.size(), &size), size.cx;
    };
    ASSERT_NE(extent("\x82\xa0"), 0);
    struct { char marker; const char *caption, *shown; } cases[] = {
        {30, "\x1e" "File", "File"},
        {30, "A\x1f\x82\xa0" "B", "AB"},
        {30, "\x1e\x82\xa0", "\x82\xa0"},
        {30, "x\x1f", "x"},
        {30, "&\x82\xa0&&", "\x82\xa0&"},
        {31, "\x1f" "File", "File"},
        {31, "A\x1e\x82\xa0" "B", "AB"},
        {31, "A\x1e" "B", "A"},
    };
    for (const auto &k : cases) {
        ReliefState.mnemonicMarker = k.marker;
        int cx = -1, cy = -1;
        MeasureLabelText(c.dc, k.caption, &cx, &cy);
        EXPECT_EQ(cx, extent(k.shown)) << "marker " << (int)k.marker << ": " << k.shown;
    }
    ReliefUnregister(Self());
}

}  // namespace
