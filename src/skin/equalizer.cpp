// The equalizer window's procedure while the skin is on.
#include "skin/bars.h"

WNDPROC previousEqualizerWindowProc;

void InstallEqualizerWindowProc()
{
    WNDPROC previous = WNDPROC(SetWindowLongPtrA(hostEqualizerWindow, GWLP_WNDPROC, LONG_PTR(EqualizerWindowProc)));
    // Installing twice must not make the procedure its own successor.
    if (previous != EqualizerWindowProc)
        previousEqualizerWindowProc = previous;
}

void RemoveEqualizerWindowProc()
{
    SetWindowLongPtrA(hostEqualizerWindow, GWLP_WNDPROC, LONG_PTR(previousEqualizerWindowProc));
}

LRESULT CALLBACK EqualizerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
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
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (HandleBarMouse(BARS[EQ_BAR], window, message, wParam, lParam))
            return 0;
        break;
    }
    return CallWindowProcA(previousEqualizerWindowProc, window, message, wParam, lParam);
}
