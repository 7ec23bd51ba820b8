// The helpers of the menu library: colour arithmetic, the system's error text
// in a box, and timers with ids of their own.
#include "MenuTestSupport.h"

#include "framework/MessageBox.h"
#include "uikit/ColorHelpers.h"
#include "uikit/FreeTimer.h"
#include "uikit/ShowLastError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace menu_test;

TEST(ColourHelpers, KnownValues)
{
    struct Case {
        const char* name;
        COLORREF result;
        COLORREF expected;
    };
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF sample = RGB(200, 100, 50);
    const Case cases[] = {
        {"darken by nothing", DarkenColour(0, sample), sample},
        {"darken fully", DarkenColour(255, sample), black},
        {"darken half", DarkenColour(128, RGB(254, 100, 0)), RGB(127, 50, 0)},
        {"lighten by nothing", LightenColour(0, sample), sample},
        {"lighten fully", LightenColour(255, sample), white},
        {"lighten part", LightenColour(100, RGB(0, 155, 255)), RGB(100, 194, 255)},
        {"86 % white on black", MixColour86(white, black), RGB(219, 219, 219)},
        {"86 % black on white", MixColour86(black, white), RGB(36, 36, 36)},
        {"70 % black on white", MixColour70(black, white), RGB(77, 77, 77)},
        {"70 % white on black", MixColour70(white, black), RGB(179, 179, 179)},
        {"grey of a colour", GreyColour(RGB(30, 60, 90)), RGB(60, 60, 60)},
        {"grey rounds", GreyColour(RGB(1, 1, 0)), RGB(1, 1, 1)},
        {"shadow tint of the selection", ShadowTint(RGB(182, 190, 211)), RGB(127, 133, 186)},
        {"shadow tint of black", ShadowTint(black), RGB(0, 0, 39)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(test.result, test.expected);
    }
}

namespace {

struct ShownBox {
    std::string text;
    std::string caption;
    UINT type = 0;
    HWND owner = reinterpret_cast<HWND>(1);
};

std::vector<ShownBox> ShowLastErrorOf(DWORD code)
{
    std::vector<ShownBox> shown;
    ScopedMessageBoxHook hook([&](HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
        shown.push_back(ShownBox{text, caption, type, owner});
        return IDOK;
    });
    ::SetLastError(code);
    ShowLastError();
    return shown;
}

}  // namespace

TEST(ShowLastError, ShowsTheSystemsTextOrTheCode)
{
    EXPECT_TRUE(ShowLastErrorOf(0).empty());

    const std::vector<ShownBox> known = ShowLastErrorOf(ERROR_ACCESS_DENIED);
    ASSERT_EQ(known.size(), 1u);
    EXPECT_EQ(known[0].caption, "Error");
    EXPECT_EQ(known[0].owner, nullptr);
    EXPECT_EQ(known[0].type, UINT{MB_OK | MB_ICONINFORMATION});
    char expected[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_ACCESS_DENIED, 0,
                     expected, sizeof expected, nullptr);
    ASSERT_NE(expected[0], '\0');
    EXPECT_EQ(known[0].text, expected);

    const std::vector<ShownBox> unknown = ShowLastErrorOf(0x2000ABCD);
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(unknown[0].text, "Error message 0x2000abcd not found");
}

TEST(FreeTimer, HandsOutIds31To99OnceEachPerWindow)
{
    MenuOwner first;
    MenuOwner second;
    EXPECT_EQ(SetFreeTimer(nullptr, 100), 0u);

    std::vector<UINT_PTR> ids;
    for (int i = 0; i < 69; ++i)
        ids.push_back(SetFreeTimer(first.Get(), 10000));
    EXPECT_EQ(ids.front(), 31u);
    EXPECT_EQ(ids.back(), 99u);
    // Every id taken: no timer, and the running ones are left alone.
    EXPECT_EQ(SetFreeTimer(first.Get(), 10000), 0u);
    // Another window has ids of its own.
    EXPECT_EQ(SetFreeTimer(second.Get(), 10000), 31u);

    // A freed id is handed out again.
    EXPECT_TRUE(KillFreeTimer(first.Get(), 57));
    EXPECT_EQ(SetFreeTimer(first.Get(), 10000), 57u);
    for (UINT_PTR id : ids)
        KillFreeTimer(first.Get(), id);
    KillFreeTimer(second.Get(), 31);
}

TEST(FreeTimer, AFreeTimerTicks)
{
    MenuOwner owner;
    bool ticked = false;
    owner.onTimer = [&] { ticked = true; };
    const UINT_PTR id = SetFreeTimer(owner.Get(), 10);
    ASSERT_NE(id, 0u);
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (!ticked && ::GetTickCount() - start < 3000) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(2);
    }
    EXPECT_TRUE(ticked);
    KillFreeTimer(owner.Get(), id);
}
