// The host's own menus, navigated by Alt, the arrow keys and Enter. The host
// draws them itself, so it takes these keys in its window procedure: after
// Alt the first menu is selected, Right and Left move between menus and
// wrap, the first Down opens the menu with nothing highlighted, then Down
// and Up move the highlight (separators skipped, wrapping), Enter chooses.
#include "host.h"

#include <array>
#include <cstddef>

namespace host {

namespace {

constexpr const char *SEPARATOR = "-";

struct Menu {
    const char *title;
    std::vector<const char *> items;
};

const std::array<Menu, 6> &Menus()
{
    static const std::array<Menu, 6> menus = {{
        {"File",
         {"New Playlist", "New Playlist From Selection", "New Smart Playlist...", "Add File to Library...",
          "Add Folder to Library...", "Close Window", SEPARATOR, "Import...", "Export Song List...",
          "Export Library...", SEPARATOR, "Get Info", "Edit Smart Playlist", "Show Song File",
          "Show Current Song", SEPARATOR, "Burn Playlist To Disc", SEPARATOR, "Update Songs on iPod", SEPARATOR,
          "Exit"}},
        {"Edit",
         {"Undo", SEPARATOR, "Cut", "Copy", "Paste", "Clear", SEPARATOR, "Select All", "Select None", SEPARATOR,
          "Show Browser", "Show Artwork", SEPARATOR, "View Options...", "Preferences..."}},
        {"Controls",
         {"Play", SEPARATOR, "Next Song", "Previous Song", SEPARATOR, "Shuffle", SEPARATOR, "Repeat Off",
          "Repeat All", "Repeat One", SEPARATOR, "Volume Up", "Volume Down", "Mute", SEPARATOR, "Eject Disc"}},
        {"Visualizer", {"Turn Visualizer On", SEPARATOR, "Small", "Medium", "Large", SEPARATOR, "Full Screen"}},
        // The host has one item here that the module's menu bar leaves out.
        {"Advanced",
         {"Switch to Mini Player", SEPARATOR, "Open Stream...", SEPARATOR, "Convert Selection to MP3",
          "Consolidate Library...", SEPARATOR, "Get CD Track Names", "Submit CD Track Names", SEPARATOR,
          "Join CD Tracks", SEPARATOR, "Deauthorize Computer...", "Check for Purchased Music", SEPARATOR,
          "Convert ID3 Tags..."}},
        // And one here.
        {"Help",
         {"iTunes and Music Store Help", "Music Store Customer Service", "Keyboard Shortcuts", SEPARATOR,
          "iTunes Hot Tips", SEPARATOR, "Shop for iTunes Products", "Provide iTunes Feedback",
          "Register iTunes...", SEPARATOR, "Check for iTunes Updates", SEPARATOR, "About iTunes"}},
    }};
    return menus;
}

constexpr int NONE = -1;

struct MenuState {
    bool active;     // the menu bar has the keys
    size_t menu;     // the selected menu
    bool open;       // its items are showing
    int highlighted; // index into items, or NONE
} state;

bool IsSeparator(const char *item)
{
    return item == SEPARATOR;
}

// The next item that is not a separator, stepping by +1 or -1 and wrapping.
int Step(const Menu &menu, int from, int direction)
{
    int count = int(menu.items.size());
    int index = from;
    for (int tries = 0; tries < count; ++tries) {
        if (index == NONE)
            index = direction > 0 ? 0 : count - 1;
        else
            index = (index + direction + count) % count;
        if (!IsSeparator(menu.items[size_t(index)]))
            return index;
    }
    return NONE;
}

void SelectMenu(int direction)
{
    int count = int(Menus().size());
    state.menu = size_t((int(state.menu) + count + direction) % count);
    state.highlighted = NONE;
}

void MoveHighlight(int direction)
{
    if (!state.open) {
        state.open = true;
        return;
    }
    state.highlighted = Step(Menus()[state.menu], state.highlighted, direction);
}

void Choose()
{
    if (!state.open) {
        state.open = true;
        return;
    }
    if (state.highlighted == NONE)
        return;
    menuItemsChosen.push_back(Menus()[state.menu].items[size_t(state.highlighted)]);
    state = {};
}

bool NavigationKey(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
        SelectMenu(-1);
        return true;
    case VK_RIGHT:
        SelectMenu(+1);
        return true;
    case VK_DOWN:
        MoveHighlight(+1);
        return true;
    case VK_UP:
        MoveHighlight(-1);
        return true;
    case VK_RETURN:
        Choose();
        return true;
    case VK_ESCAPE:
        state = {};
        return true;
    }
    return false;
}

} // namespace

bool HostMenuKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSKEYDOWN:
        return wParam == VK_MENU;
    case WM_SYSKEYUP:
        if (wParam != VK_MENU)
            return false;
        state = {true, 0, false, NONE};
        return true;
    case WM_KEYDOWN:
        return state.active && NavigationKey(wParam);
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return state.active;
    }
    return false;
}

void ResetHostMenus()
{
    state = {};
    menuItemsChosen.clear();
}

} // namespace host
