// The right-click menu of the title area: where a right click opens it, and
// that the host never sees a click that did.
#include <cstring>

#include "popup_support.h"

using namespace testing_support;
using popup_support::RightClickAt;
using popup_support::seen;

namespace {

class PopupMenu : public HostTest {};

TEST_F(PopupMenu, WithoutTheBarOnlyTheTopFifteenPixelsOpenIt)
{
    StartPlugin({{"Skin", 0}});
    EXPECT_FALSE(RightClickAt(14)) << "the host saw the click that opened the menu";
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.items, (std::vector<std::string>{"Options 40007", "Find Lyrics 40009"}));
    EXPECT_TRUE(RightClickAt(15));
    EXPECT_FALSE(seen.shown);
    EXPECT_FALSE(RightClickAt(0));
    EXPECT_TRUE(seen.shown);
}

TEST_F(PopupMenu, AChosenItemReachesTheMainWindowAsItsCommand)
{
    StartPlugin({{"Skin", 0}});
    popup_support::chooseFindLyrics = true;
    EXPECT_FALSE(RightClickAt(5));
    ASSERT_TRUE(seen.shown);
    // "Find Lyrics" before any track: DuzaZezuvu, and the host gets it too.
    EXPECT_TRUE(host::PumpUntil([] {
        for (const host::Logged &m : host::Select(host::received, host::mainWindow, {WM_COMMAND}))
            if (m.wParam == 40009)
                return true;
        return false;
    }, 2000));
}

TEST_F(PopupMenu, WithTheBarTheTopFortyPixelsOpenIt)
{
    StartPlugin({{"Skin", 1}});
    ASSERT_NE(FindWindowExA(host::mainWindow, nullptr, "Button", "Background"), nullptr);
    EXPECT_FALSE(RightClickAt(39));
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(RightClickAt(40));
    EXPECT_FALSE(seen.shown);
}

} // namespace
