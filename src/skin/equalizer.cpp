// The equalizer window's procedure while the skin is on.
#include "skin/bars.h"

#include "plugin/hostwindow.h"

WNDPROC previousEqualizerWindowProc;

namespace {
// Set while the procedure had to stay in the window's chain after its
// removal: another was put on after it.
bool passingEverythingOn;
} // namespace

void InstallEqualizerWindowProc()
{
    // Still in the chain: taken up again, never put on a second time.
    if (passingEverythingOn) {
        passingEverythingOn = false;
        return;
    }
    WNDPROC previous =
        WNDPROC(SetWindowLongPtrW(hostEqualizerWindow, GWLP_WNDPROC, LONG_PTR(EqualizerWindowProc)));
    // Installing twice must not make the procedure its own successor.
    if (previous != EqualizerWindowProc)
        previousEqualizerWindowProc = previous;
}

bool RemoveEqualizerWindowProc()
{
    if (!previousEqualizerWindowProc)
        return true;
    passingEverythingOn = !PutProcedureBack(hostEqualizerWindow, EqualizerWindowProc, previousEqualizerWindowProc);
    if (!passingEverythingOn)
        previousEqualizerWindowProc = nullptr;
    return !passingEverythingOn;
}

LRESULT CALLBACK EqualizerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (passingEverythingOn)
        return CallWindowProcW(previousEqualizerWindowProc, window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        // The host never sees the equalizer's size changes while skinned.
        ShapeEqualizerWindow(window);
        return 0;
    case WM_KILLFOCUS:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        InvalidateChild(EqBar, nullptr);
        break;
    case DPI_CHANGED_MESSAGE: {
        // The host takes its new size first; the bar and shape then follow.
        LRESULT result = CallWindowProcW(previousEqualizerWindowProc, window, message, wParam, lParam);
        RescaleBars(window);
        ShapeEqualizerWindow(window);
        return result;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (HandleBarMouse(BARS[EQ_BAR], window, message, wParam, lParam))
            return 0;
        break;
    }
    return CallWindowProcW(previousEqualizerWindowProc, window, message, wParam, lParam);
}
