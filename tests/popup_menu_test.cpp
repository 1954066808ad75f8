// The right-click menu of the title area: where a right click opens it, and
// that the host never sees a click that did.
#include <cstring>

#include "harness.h"

using namespace testing_support;

namespace {

struct MenuSeen {
    bool shown = false;
    std::vector<std::string> items;
};
MenuSeen seen;
UINT_PTR menuTimer;
int menuTicks;
bool chooseFindLyrics;

void PostKey(WPARAM key)
{
    PostMessageA(host::mainWindow, WM_KEYDOWN, key, 1);
    PostMessageA(host::mainWindow, WM_KEYUP, key, 0xC0000001);
}

// Runs inside the menu's own tracking loop; reads the menu and ends it.
void CALLBACK LookAtMenuAndEndIt(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if ((!menuWindow || !IsWindowVisible(menuWindow)) && --menuTicks > 0)
        return;
    KillTimer(nullptr, menuTimer);
    if (!menuWindow || !IsWindowVisible(menuWindow))
        return;
    seen.shown = true;
    HMENU menu = HMENU(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        seen.items.push_back(text + std::string(" ") + std::to_string(GetMenuItemID(menu, i)));
    }
    if (!chooseFindLyrics) {
        EndMenu();
        return;
    }
    // The menu's loop takes the thread's keys: the second item, chosen.
    PostKey(VK_DOWN);
    PostKey(VK_DOWN);
    PostKey(VK_RETURN);
}

class PopupMenu : public HostTest {
protected:
    // A right click with the cursor dy pixels below the window's top.
    bool RightClickAt(int dy)
    {
        RECT window;
        GetWindowRect(host::mainWindow, &window);
        SetCursorPos(window.left + 200, window.top + dy);
        seen = MenuSeen();
        menuTicks = 50;
        menuTimer = SetTimer(nullptr, 0, 10, LookAtMenuAndEndIt);
        host::ClearLogs();
        // The message's own coordinates are not what decides.
        PostMessageA(host::mainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        host::PumpUntil([] { return !host::Select(host::received, host::mainWindow, {WM_RBUTTONDOWN}).empty(); },
                        300);
        KillTimer(nullptr, menuTimer);
        return !host::Select(host::received, host::mainWindow, {WM_RBUTTONDOWN}).empty();
    }
};

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
    chooseFindLyrics = true;
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
