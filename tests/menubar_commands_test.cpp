// The menu bar: each of its commands is carried out in the host's own menus,
// or by the direct message the host acts on.
#include <set>
#include <string>

#include "harness.h"
#include "../src/resources/resource.h"

using namespace testing_support;

namespace {

constexpr LPARAM ALT = 0x20380001;
constexpr LPARAM KEY = 0x014D0001;

class MenuBar : public HostTest {
protected:
    // A command as the menu bar sends it, then what the host makes of it.
    void Choose(WPARAM command)
    {
        host::ClearLogs();
        host::ResetHostMenus();
        host::appCalls.clear();
        SendMessageA(host::mainWindow, WM_COMMAND, command, 0);
        host::PumpMessages();
    }
    std::vector<host::Logged> Posted() { return host::Select(host::queued, host::mainWindow); }
    // The WM_COMMAND itself still reaches the host's procedure.
    bool HostGotCommand(WPARAM command)
    {
        for (const host::Logged &m : host::Select(host::received, host::mainWindow, {WM_COMMAND}))
            if (m.wParam == command && m.flags == host::sent)
                return true;
        return false;
    }
};

std::string ItemText(HMENU menu, UINT position)
{
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// Carried out by a direct message rather than keystrokes.
const std::set<UINT> DIRECT = {ID_PLAY_PAUSE, ID_NEXT_SONG, ID_PREVIOUS_SONG, ID_CLOSE_WINDOW, ID_EXIT, ID_ABOUT};

TEST_F(MenuBar, AddFolderPostsNineKeystrokesAndTheHostChoosesThatItem)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    Choose(40016);
    const unsigned k = host::posted | host::wparam | host::lparam;
    EXPECT_TRUE(SequenceIs(Posted(), {{WM_SYSKEYDOWN, k, VK_MENU, ALT},
                                      {WM_SYSKEYUP, k, VK_MENU, ALT},
                                      {WM_KEYDOWN, k, VK_DOWN, KEY},
                                      {WM_KEYDOWN, k, VK_DOWN, KEY},
                                      {WM_KEYDOWN, k, VK_DOWN, KEY},
                                      {WM_KEYDOWN, k, VK_DOWN, KEY},
                                      {WM_KEYDOWN, k, VK_DOWN, KEY},
                                      {WM_KEYDOWN, k, VK_DOWN, KEY},
                                      {WM_KEYDOWN, k, VK_RETURN, KEY}}));
    EXPECT_EQ(host::menuItemsChosen, std::vector<std::string>{"Add Folder to Library..."});
    EXPECT_TRUE(HostGotCommand(40016));
}

// Walks the menu bar as it is set on the window, so the resource and the
// keystrokes are checked together against the host's own menus.
TEST_F(MenuBar, EveryItemReachesTheHostsItemOfTheSameName)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    HMENU bar = GetMenu(host::mainWindow);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 6);
    const char *titles[] = {"File", "Edit", "Controls", "Visualizer", "Advanced", "Help"};
    int chosenByKeys = 0;
    for (int m = 0; m < 6; ++m) {
        EXPECT_EQ(ItemText(bar, UINT(m)), titles[m]);
        HMENU menu = GetSubMenu(bar, m);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            UINT id = GetMenuItemID(menu, i);
            if (id == 0 || DIRECT.count(id))
                continue;
            std::string text = ItemText(menu, UINT(i));
            Choose(id);
            EXPECT_EQ(host::menuItemsChosen, std::vector<std::string>{text}) << id;
            EXPECT_TRUE(HostGotCommand(id)) << id;
            ++chosenByKeys;
        }
    }
    EXPECT_EQ(chosenByKeys, 54);
}

TEST_F(MenuBar, PlayPostsPlayPauseWhateverItsLabel)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    ModifyMenuA(GetMenu(host::mainWindow), ID_PLAY_PAUSE, MF_BYCOMMAND | MF_STRING, ID_PLAY_PAUSE, "Pause");
    for (int round = 0; round < 2; ++round) {
        Choose(ID_PLAY_PAUSE);
        EXPECT_TRUE(SequenceIs(Posted(), {{WM_APPCOMMAND, host::posted | host::wparam | host::lparam, 0,
                                           LPARAM(0x800E0000)}}));
        EXPECT_TRUE(host::menuItemsChosen.empty());
        EXPECT_TRUE(HostGotCommand(ID_PLAY_PAUSE));
        ModifyMenuA(GetMenu(host::mainWindow), ID_PLAY_PAUSE, MF_BYCOMMAND | MF_STRING, ID_PLAY_PAUSE, "Play");
    }
}

TEST_F(MenuBar, NextAndPreviousWorkFromOtherProgramsWithoutTheMenuBar)
{
    StartPlugin({{"Menu", 0}, {"Skin", 0}});
    EXPECT_EQ(GetMenu(host::mainWindow), nullptr);
    const unsigned p = host::posted | host::wparam | host::lparam;
    Choose(ID_NEXT_SONG);
    EXPECT_TRUE(SequenceIs(Posted(), {{WM_APPCOMMAND, p, 0, LPARAM(0x800B0000)}}));
    Choose(ID_PREVIOUS_SONG);
    EXPECT_TRUE(SequenceIs(Posted(), {{WM_APPCOMMAND, p, 0, LPARAM(0x800C0000)}}));
}

TEST_F(MenuBar, AboutAsksTheHostForItsAboutBox)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    Choose(ID_ABOUT);
    EXPECT_TRUE(Posted().empty());
    ASSERT_EQ(host::appCalls.size(), 1u);
    EXPECT_EQ(host::appCalls[0].message, host::Code("abou"));
    EXPECT_TRUE(HostGotCommand(ID_ABOUT));
}

// The host closes on WM_CLOSE; the post goes to the window that got the command.
void ExpectOnlyClose(WPARAM command)
{
    HWND window = host::mainWindow;
    host::ClearLogs();
    SendMessageA(window, WM_COMMAND, command, 0);
    host::PumpMessages();
    EXPECT_TRUE(SequenceIs(host::Select(host::queued, window), {{WM_CLOSE, host::posted, 0, 0}}));
    EXPECT_TRUE(host::menuItemsChosen.empty());
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MenuBar, CloseWindowPostsOnlyWmClose)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    ExpectOnlyClose(ID_CLOSE_WINDOW);
}

TEST_F(MenuBar, ExitPostsOnlyWmClose)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    ExpectOnlyClose(ID_EXIT);
}

TEST_F(MenuBar, CommandsWithoutAnActionOnlyReachTheHost)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    for (WPARAM command : {WPARAM(40011), WPARAM(40025), WPARAM(40057), WPARAM(40080), WPARAM(MAKEWPARAM(40010, 1)),
                           WPARAM(MAKEWPARAM(40016, 1))}) {
        Choose(command);
        EXPECT_TRUE(Posted().empty()) << std::hex << command;
        EXPECT_TRUE(HostGotCommand(command)) << std::hex << command;
    }
}

TEST_F(MenuBar, StartUpLeavesTheWindowAtItsSizeAfterPassingANarrowerOne)
{
    host::ClearLogs();
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    RECT rect = {};
    GetWindowRect(host::mainWindow, &rect);
    EXPECT_EQ(rect.left, placement.x);
    EXPECT_EQ(rect.top, placement.y);
    EXPECT_EQ(rect.right - rect.left, placement.width);
    EXPECT_EQ(rect.bottom - rect.top, placement.height);
    EXPECT_NE(GetMenu(host::mainWindow), nullptr);
    std::vector<int> widths;
    for (const host::Logged &m : host::Select(host::received, host::mainWindow, {WM_SIZE}))
        if (widths.empty() || widths.back() != LOWORD(m.lParam))
            widths.push_back(LOWORD(m.lParam));
    // Setting the menu resizes the client area again; the start-up's own
    // direct WM_SIZE carries 0.
    EXPECT_EQ(widths, (std::vector<int>{placement.width - 1, placement.width, 0}));
}

TEST_F(MenuBar, NoMenuBarWhenTheOptionIsOff)
{
    StartPlugin({{"Menu", 0}, {"Skin", 0}});
    EXPECT_EQ(GetMenu(host::mainWindow), nullptr);
    Choose(40016);
    EXPECT_EQ(host::menuItemsChosen, std::vector<std::string>{"Add Folder to Library..."});
}

} // namespace
