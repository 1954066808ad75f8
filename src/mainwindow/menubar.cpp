// Menu bar emulation: a real menu bar whose commands are carried out by the
// keystrokes a user would type into the host's own-drawn menus.
#include "mainwindow/menubar.h"

#include <array>
#include <cstddef>

#include "plugin/plugin.h"
#include "resources/resource.h"

HMENU fakeMenuBar;

namespace {

constexpr LPARAM ALT_KEY_LPARAM = 0x20380001;   // repeat 1, scan 0x38, context bit
constexpr LPARAM MOVE_KEY_LPARAM = 0x014D0001;  // repeat 1, scan 0x4D, extended key

// The host's menus, item by item as the host's own navigation counts them
// (separators are skipped there, so they are left out). 0 stands for an
// item the host has and the menu bar does not show.
constexpr UINT HOST_ONLY_ITEM = 0;

constexpr std::array<UINT, 16> FILE_ITEMS = {40012, 40013, 40014, 40015, 40016, ID_CLOSE_WINDOW, 40020, 40021,
                                             40022, 40018, 40019, 40023, 40024, 40078, 40026, ID_EXIT};
constexpr std::array<UINT, 11> EDIT_ITEMS = {40085, 40081, 40082, 40083, 40084, 40034,
                                             40035, 40037, 40038, 40039, 40040};
constexpr std::array<UINT, 11> CONTROLS_ITEMS = {ID_PLAY_PAUSE, ID_NEXT_SONG, ID_PREVIOUS_SONG, 40043,
                                                 40044,         40045,        40046,            40047,
                                                 40048,         40049,        40086};
constexpr std::array<UINT, 5> VISUALIZER_ITEMS = {40052, 40053, 40054, 40055, 40056};
constexpr std::array<UINT, 10> ADVANCED_ITEMS = {ID_MINI_PLAYER, 40059, 40060, 40061,          40062,
                                                 40063,          40064, HOST_ONLY_ITEM, 40066, 40087};
constexpr std::array<UINT, 9> HELP_ITEMS = {40069, 40070, 40071, 40072, 40073, 40074, HOST_ONLY_ITEM, 40076,
                                            ID_ABOUT};

struct HostMenu {
    const UINT *items;
    size_t count;
    // The Visualizer menu is always counted from its top, never from its end.
    bool fromTopOnly;
};

constexpr std::array<HostMenu, 6> HOST_MENUS = {{
    {FILE_ITEMS.data(), FILE_ITEMS.size(), false},
    {EDIT_ITEMS.data(), EDIT_ITEMS.size(), false},
    {CONTROLS_ITEMS.data(), CONTROLS_ITEMS.size(), false},
    {VISUALIZER_ITEMS.data(), VISUALIZER_ITEMS.size(), true},
    {ADVANCED_ITEMS.data(), ADVANCED_ITEMS.size(), false},
    {HELP_ITEMS.data(), HELP_ITEMS.size(), false},
}};

// Commands that the host takes more reliably as a direct message.
enum Action { POST_APP_COMMAND, POST_CLOSE, SHOW_ABOUT };

struct DirectCommand {
    UINT id;
    Action action;
    LPARAM appCommand;
};

constexpr std::array<DirectCommand, 6> DIRECT_COMMANDS = {{
    {ID_PLAY_PAUSE, POST_APP_COMMAND, LPARAM(0x800E0000)},
    {ID_NEXT_SONG, POST_APP_COMMAND, LPARAM(0x800B0000)},
    {ID_PREVIOUS_SONG, POST_APP_COMMAND, LPARAM(0x800C0000)},
    {ID_CLOSE_WINDOW, POST_CLOSE, 0},
    {ID_EXIT, POST_CLOSE, 0},
    {ID_ABOUT, SHOW_ABOUT, 0},
}};

void PostKey(UINT message, WPARAM key, LPARAM lParam, int times = 1)
{
    for (int i = 0; i < times; ++i)
        PostMessageA(hostMainWindow, message, key, lParam);
}

// The host wraps from its first menu to its last, so the far half of the bar
// is nearer going left.
void PostMenuSelection(size_t menu)
{
    int steps = int(menu);
    if (steps <= int(HOST_MENUS.size()) / 2)
        PostKey(WM_KEYDOWN, VK_RIGHT, MOVE_KEY_LPARAM, steps);
    else
        PostKey(WM_KEYDOWN, VK_LEFT, MOVE_KEY_LPARAM, int(HOST_MENUS.size()) - steps);
}

// The first Down opens the menu with nothing highlighted; from there Down
// counts from the top and Up from the bottom.
void PostItemSelection(const HostMenu &menu, size_t index)
{
    int fromTop = int(index) + 1;
    int fromBottom = int(menu.count - index);
    PostKey(WM_KEYDOWN, VK_DOWN, MOVE_KEY_LPARAM);
    if (menu.fromTopOnly || fromTop <= fromBottom)
        PostKey(WM_KEYDOWN, VK_DOWN, MOVE_KEY_LPARAM, fromTop);
    else
        PostKey(WM_KEYDOWN, VK_UP, MOVE_KEY_LPARAM, fromBottom);
}

const DirectCommand *FindDirectCommand(UINT command)
{
    for (const DirectCommand &direct : DIRECT_COMMANDS)
        if (direct.id == command)
            return &direct;
    return nullptr;
}

void CarryOutDirectCommand(HWND window, const DirectCommand &direct)
{
    switch (direct.action) {
    case POST_APP_COMMAND:
        PostMessageA(hostMainWindow, WM_APPCOMMAND, 0, direct.appCommand);
        break;
    case POST_CLOSE:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case SHOW_ABOUT:
        ShowHostAbout();
        break;
    }
}

} // namespace

void InstallMenuBar()
{
    fakeMenuBar = LoadMenuA(moduleInstance, MAKEINTRESOURCEA(IDM_MENU_BAR));
    RECT rect = {};
    GetWindowRect(hostMainWindow, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    // The pass through a narrower width makes the host lay itself out again
    // around the new menu bar.
    SetWindowPos(hostMainWindow, HWND_TOP, rect.left, rect.top, width - 1, height, 0);
    SetMenu(hostMainWindow, fakeMenuBar);
    SetWindowPos(hostMainWindow, HWND_TOP, rect.left, rect.top, width, height, 0);
}

void CarryOutMenuCommand(HWND window, WPARAM command)
{
    // A nonzero notification code is not a menu command.
    if (command > 0xFFFF)
        return;
    if (const DirectCommand *direct = FindDirectCommand(UINT(command)))
        CarryOutDirectCommand(window, *direct);
    else
        PostMenuKeystrokes(UINT(command));
}

void PostMenuKeystrokes(UINT command)
{
    if (command == HOST_ONLY_ITEM)
        return;
    for (size_t menu = 0; menu < HOST_MENUS.size(); ++menu) {
        const HostMenu &layout = HOST_MENUS[menu];
        for (size_t index = 0; index < layout.count; ++index) {
            if (layout.items[index] != command)
                continue;
            PostKey(WM_SYSKEYDOWN, VK_MENU, ALT_KEY_LPARAM);
            PostKey(WM_SYSKEYUP, VK_MENU, ALT_KEY_LPARAM);
            PostMenuSelection(menu);
            PostItemSelection(layout, index);
            PostKey(WM_KEYDOWN, VK_RETURN, MOVE_KEY_LPARAM);
            return;
        }
    }
}
