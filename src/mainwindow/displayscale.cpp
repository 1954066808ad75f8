// The DPI of a window, asked of the system in the way each version allows.
#include "mainwindow/displayscale.h"

namespace {

typedef UINT(WINAPI *GetDpiForWindowProc)(HWND window);

// Loaded at run time: a static import of it would keep the module from
// loading on Windows 7, 8 and early 10.
GetDpiForWindowProc FindGetDpiForWindow()
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowProc>(GetProcAddress(user32, "GetDpiForWindow")) : nullptr;
}

// Those systems change the screen's DPI only at a new sign-in, so once is
// enough.
int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

int WindowDpi(HWND window)
{
    // Looked up once, on the host's thread, the only one that asks.
    static bool looked;
    static GetDpiForWindowProc getDpiForWindow;
    static int screenDpi;
    if (!looked) {
        looked = true;
        getDpiForWindow = FindGetDpiForWindow();
        screenDpi = ScreenDpi();
    }
    // It answers 0 for a window that is not one.
    int dpi = getDpiForWindow && window ? int(getDpiForWindow(window)) : 0;
    if (dpi <= 0)
        dpi = screenDpi;
    return dpi > 0 ? dpi : BASE_DPI;
}
