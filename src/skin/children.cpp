// The skin's painted child windows, and switching the skin on and off.
#include "skin/bars.h"

#include "plugin/hostwindow.h"
#include "settings/settings.h"

HWND FullBar;
HWND MiniStrip;
HWND EqBar;
int titleOffset;

namespace {

void ResizeMainWindowAndBack(int widthChange)
{
    RECT rect = {};
    GetWindowRect(hostMainWindow, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    SetWindowPos(hostMainWindow, nullptr, 0, 0, width + widthChange, height, SWP_NOMOVE);
    SetWindowPos(hostMainWindow, nullptr, 0, 0, width, height, SWP_NOMOVE);
}

void RecreateFullBar()
{
    DestroyBar(BARS[FULL_BAR]);
    CreateBar(BARS[FULL_BAR]);
    MainWindowProc(hostMainWindow, WM_SIZE, 0, 0);
}

} // namespace

// The bar is disabled, so the mouse goes to its parent; its class procedure
// is replaced for good by the painting. Whatever shape the parent had while
// it was without this bar, the next shaping gives it the skin's again.
void CreateBar(const Bar &bar)
{
    int dpi = BarDpi(bar);
    HWND child = CreateWindowExA(0, "Button", bar.text, WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, BarTop(bar, dpi),
                                 ScaleLength(bar.width, dpi), ScaleLength(bar.height, dpi), *bar.parent, nullptr,
                                 nullptr, nullptr);
    SetWindowLongPtrA(child, GWLP_WNDPROC, LONG_PTR(bar.paintProc));
    *bar.child = child;
    ForgetShape(*bar.parent);
}

void RescaleBars(HWND parent)
{
    for (const Bar &bar : BARS) {
        if (*bar.parent != parent || !IsWindow(*bar.child))
            continue;
        int dpi = BarDpi(bar);
        SetWindowPos(*bar.child, nullptr, 0, BarTop(bar, dpi), ScaleLength(bar.width, dpi),
                     ScaleLength(bar.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateChild(*bar.child, nullptr);
    }
}

// The main window moved to a monitor of another scale: the bars, the shape
// and the mode follow at once (the threshold is of that scale too).
void RescaleMainWindowSkin()
{
    RescaleBars(hostMainWindow);
    MainWindowProc(hostMainWindow, WM_SIZE, 0, 0);
}

// The handle is cleared, so a later window that reuses it is never taken
// for the bar.
void DestroyBar(const Bar &bar)
{
    if (*bar.child)
        DestroyWindow(*bar.child);
    *bar.child = nullptr;
}

void StartSkin()
{
    LoadSkinResources();
    InstallEqualizerWindowProc();
    CreateBar(BARS[EQ_BAR]);
    if (!hostMainWindow)
        return;
    if (WindowHeight(hostMainWindow) < MiniModeHeight(hostMainWindow)) {
        InvalidateRect(hostMainWindow, nullptr, TRUE);
        CreateBar(BARS[MINI_STRIP]);
        ResizeMainWindowAndBack(-1);
    }
    // In full mode the start-up's own WM_SIZE creates FullBar.
}

void EnableSkin()
{
    int height = WindowHeight(hostMainWindow);
    LoadSkinResources();
    InstallEqualizerWindowProc();
    CreateBar(BARS[EQ_BAR]);
    if (height > MiniModeHeight(hostMainWindow)) {
        CreateBar(BARS[FULL_BAR]);
        MainWindowProc(hostMainWindow, WM_SIZE, 0, 0);
    } else {
        CreateBar(BARS[MINI_STRIP]);
    }
}

// The shapes stay as they are until the host changes them.
void DisableSkin()
{
    DestroyBar(BARS[FULL_BAR]);
    DestroyBar(BARS[MINI_STRIP]);
    if (hostMainWindow)
        ResizeMainWindowAndBack(+1);
    DestroyBar(BARS[EQ_BAR]);
    RemoveEqualizerWindowProc();
    FreeComposedBars();
}

bool StopSkin()
{
    for (const Bar &bar : BARS)
        DestroyBar(bar);
    ForgetShape(nullptr);
    FreeSkinResources();
    return RemoveEqualizerWindowProc();
}

void ChangeTitleOffset()
{
    titleOffset = Settings.Offset ? 20 : 0;
    if (WindowHeight(hostMainWindow) > MiniModeHeight(hostMainWindow))
        RecreateFullBar();
}
