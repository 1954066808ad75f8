// The bars' buttons: hover, press and release, their actions, and moving the
// window by its bar. The bars are disabled children, so all of this runs in
// their parents' procedures.
#include "skin/bars.h"

#include "plugin/hostwindow.h"

int fullBarStates[3] = {BUTTON_NORMAL, BUTTON_NORMAL, BUTTON_NORMAL};
int miniStripStates[3] = {BUTTON_NORMAL, BUTTON_NORMAL, BUTTON_NORMAL};
int eqBarStates[3] = {BUTTON_NORMAL, BUTTON_NORMAL, BUTTON_NORMAL};

namespace {

constexpr UINT SWITCH_TO_MINI_PLAYER_COMMAND = 40058;
constexpr int NO_BUTTON = -1;

// Set while the mini strip's zoom click is on its way to the host.
bool miniControlClickPending;

// Pointer, parent rectangle and scale as they are now, never from the
// message.
struct Pointer {
    POINT at;
    RECT parent;
    int dpi;
};

Pointer ReadPointer(const Bar &bar)
{
    Pointer pointer = {};
    GetCursorPos(&pointer.at);
    GetWindowRect(*bar.parent, &pointer.parent);
    pointer.dpi = BarDpi(bar);
    return pointer;
}

POINT MiniControl(const Pointer &pointer)
{
    return {pointer.parent.left + ScaleLength(MINI_CONTROL_X, pointer.dpi),
            pointer.parent.top + ScaleLength(MINI_CONTROL_Y, pointer.dpi)};
}

bool AtMiniControl(const Pointer &pointer)
{
    POINT control = MiniControl(pointer);
    return pointer.at.x == control.x && pointer.at.y == control.y;
}

// Strict on all four sides: a rectangle's own first column and row are
// outside as well as its exclusive right and bottom edges.
int ButtonUnderPointer(const Bar &bar, const Pointer &pointer)
{
    int left = pointer.parent.left, top = pointer.parent.top + BarTop(bar, pointer.dpi);
    for (int i = 0; i < 3; ++i) {
        RECT r = ScaleRect(*bar.buttons[i].rect, pointer.dpi);
        if (left + r.left < pointer.at.x && pointer.at.x < left + r.right && top + r.top < pointer.at.y &&
            pointer.at.y < top + r.bottom)
            return i;
    }
    return NO_BUTTON;
}

bool InDragArea(const Bar &bar, const Pointer &pointer)
{
    switch (bar.drag) {
    case DRAG_ABOVE_BAR_BOTTOM:
        return pointer.at.y < pointer.parent.top + BarTop(bar, pointer.dpi) + ScaleLength(BAR_HEIGHT, pointer.dpi);
    case DRAG_LEFT_OF_OFFSET:
        return pointer.at.x < pointer.parent.left + ScaleLength(titleOffset, pointer.dpi);
    }
    return false;
}

void SetAllStates(const Bar &bar, int state)
{
    for (int i = 0; i < 3; ++i)
        bar.states[i] = state;
}

bool AllNormal(const Bar &bar)
{
    return bar.states[0] == BUTTON_NORMAL && bar.states[1] == BUTTON_NORMAL && bar.states[2] == BUTTON_NORMAL;
}

void MinimizeMainWindow()
{
    // A window kept out of the taskbar would have nowhere to come back from.
    ShowWindow(hostMainWindow, HasExStyle(hostMainWindow, WS_EX_TOOLWINDOW) ? SW_HIDE : SW_MINIMIZE);
}

// The host's own mini player switches to full size on a press of its control.
void ClickMiniPlayerControl(const Pointer &pointer)
{
    miniControlClickPending = true;
    POINT control = MiniControl(pointer);
    SetCursorPos(control.x, control.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void CarryOutButtonAction(const Bar &bar, ButtonAction action, const Pointer &pointer, WPARAM wParam,
                          LPARAM lParam)
{
    switch (action) {
    case CLOSE_MAIN_WINDOW:
        PostMessageA(hostMainWindow, WM_CLOSE, 0, 0);
        break;
    case MINIMIZE_MAIN_WINDOW:
        InvalidateButtons(bar);
        MinimizeMainWindow();
        break;
    case SWITCH_TO_MINI_PLAYER:
        PostMenuKeystrokes(SWITCH_TO_MINI_PLAYER_COMMAND);
        break;
    case CLICK_MINI_PLAYER_ZOOM:
        InvalidateButtons(bar);
        ClickMiniPlayerControl(pointer);
        break;
    case HIDE_EQUALIZER:
        ShowWindow(hostEqualizerWindow, SW_HIDE);
        break;
    case MINIMIZE_EQUALIZER:
        InvalidateButtons(bar);
        ShowWindow(hostEqualizerWindow, SW_MINIMIZE);
        break;
    case RIGHT_CLICK_EQUALIZER:
        // The equalizer's own zoom acts on a right click at the same place.
        PostMessageA(hostEqualizerWindow, WM_RBUTTONDOWN, wParam, lParam);
        PostMessageA(hostEqualizerWindow, WM_RBUTTONUP, wParam, lParam);
        break;
    }
}

// Hover moves the three buttons together, and repaints only on a change.
bool BarMouseMove(const Bar &bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool overButton = ButtonUnderPointer(bar, ReadPointer(bar)) != NO_BUTTON;
    if (AllNormal(bar) && overButton) {
        SetAllStates(bar, BUTTON_HOVER);
        InvalidateButtons(bar);
    } else if (!AllNormal(bar) && !overButton) {
        SetAllStates(bar, BUTTON_NORMAL);
        InvalidateButtons(bar);
    }
    return false;
}

bool BarButtonDown(const Bar &bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Pointer pointer = ReadPointer(bar);
    // The mini zoom's own synthetic press, meant for the host's control.
    if (bar.passesMiniControlPress && AtMiniControl(pointer))
        return false;
    int button = ButtonUnderPointer(bar, pointer);
    if (button != NO_BUTTON) {
        bar.states[button] = BUTTON_PRESSED;
        RECT rect = ScaleRect(*bar.buttons[button].rect, pointer.dpi);
        InvalidateChild(*bar.child, &rect);
        return true;
    }
    if (InDragArea(bar, pointer)) {
        // The host hands a caption press to the system, which moves the window.
        PostMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return true;
    }
    return false;
}

// The action belongs to the button under the release, wherever the press was.
bool BarButtonUp(const Bar &bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SetAllStates(bar, BUTTON_NORMAL);
    Pointer pointer = ReadPointer(bar);
    if (*bar.parent == hostMainWindow && miniControlClickPending) {
        miniControlClickPending = false;
        // The release of the zoom's synthetic click goes to the host like its
        // press; over the minimise button (or, once the host has grown, over
        // the full bar's close button) it would otherwise act again.
        if (AtMiniControl(pointer))
            return false;
    }
    int button = ButtonUnderPointer(bar, pointer);
    if (button == NO_BUTTON)
        return false;
    CarryOutButtonAction(bar, bar.buttons[button].action, pointer, wParam, lParam);
    return true;
}

} // namespace

void InvalidateChild(HWND child, const RECT *rect)
{
    if (IsWindow(child))
        InvalidateRect(child, rect, TRUE);
}

void InvalidateButtons(const Bar &bar)
{
    int dpi = BarDpi(bar);
    for (const BarButton &button : bar.buttons) {
        RECT rect = ScaleRect(*button.rect, dpi);
        InvalidateChild(*bar.child, &rect);
    }
}

bool HandleBarMouse(const Bar &bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        return BarMouseMove(bar, window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return BarButtonDown(bar, window, message, wParam, lParam);
    case WM_LBUTTONUP:
        return BarButtonUp(bar, window, message, wParam, lParam);
    }
    return false;
}

// Without FullBar the skin treats the main window as in mini mode.
bool HandleMainBarMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    *result = 0;
    return HandleBarMouse(IsWindow(FullBar) ? BARS[FULL_BAR] : BARS[MINI_STRIP], window, message, wParam, lParam);
}

void RepaintMainTitleBar()
{
    InvalidateChild(IsWindow(FullBar) ? FullBar : MiniStrip, nullptr);
}
