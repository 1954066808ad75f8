// The skinned title bars as a user first sees them: screenshots of the main
// window in full mode (in front and behind), with a hovered and a pressed
// button, in mini mode, of the equalizer window, and of the main window on
// a display at 200 %.
#include <cstdio>

#include "demo.h"
#include "host.h"
#include "screenshot.h"

namespace {

void Save(HWND window, const char *name)
{
    host::PumpFor(250);
    std::string path = DemoOutputPath(name);
    if (host::SaveWindowPng(window, path.c_str()))
        printf("screenshot: %s\n", path.c_str());
}

// The module reads the pointer itself; the message only says it moved.
void MouseAt(HWND window, UINT message, int x, int y)
{
    RECT rect;
    GetWindowRect(window, &rect);
    SetCursorPos(rect.left + x, rect.top + y);
    SendMessageA(window, message, 0, MAKELPARAM(x, y));
}

} // namespace

void ShowSkin()
{
    HWND main = host::mainWindow, equalizer = host::equalizerWindow;
    printf("skin: main window %s\n", FindWindowExA(main, nullptr, "Button", "Background") ? "has its full bar"
                                                                                        : "has no full bar");
    SetForegroundWindow(main);
    Save(main, "skin-full-active.png");

    SetForegroundWindow(equalizer);
    // The equalizer takes its shape at its next size change.
    SetWindowPos(equalizer, nullptr, 0, 0, 360, 160, SWP_NOMOVE | SWP_NOZORDER);
    Save(equalizer, "skin-equalizer.png");
    Save(main, "skin-full-inactive.png");

    SetForegroundWindow(main);
    MouseAt(main, WM_MOUSEMOVE, 14, 32);
    Save(main, "skin-hover.png");
    MouseAt(main, WM_LBUTTONDOWN, 35, 32);
    Save(main, "skin-pressed.png");
    // Released away from the buttons: nothing happens.
    MouseAt(main, WM_LBUTTONUP, 300, 200);
    MouseAt(main, WM_MOUSEMOVE, 300, 200);

    host::ResizeMain(300, 64);
    // The real host gives its mini player a shape of its own; the substitute
    // sets none, so the full-mode shape is taken off as the host would.
    SetWindowRgn(main, nullptr, TRUE);
    Save(main, "skin-mini.png");
    host::ResizeMain(640, 420);
    host::PumpFor(100);
}

int ShowSkinAtDoubleScale()
{
    host::MakeDpiAware();
    host::ResetSettings();
    host::WindowPlacement placement;
    placement.width = host::Scaled(400);
    placement.height = host::Scaled(200);
    // Under the main window, not behind the rows its offset cuts away.
    placement.eqY = placement.y + placement.height + host::Scaled(20);
    placement.unicode = true;
    if (!host::CreateHostWindows(placement) || !host::LoadPlugin())
        return 1;
    host::Init();
    host::Idle();
    printf("skin at %d DPI: the main window %dx%d\n", host::ScreenDpi(), placement.width, placement.height);
    SetForegroundWindow(host::mainWindow);
    Save(host::mainWindow, "skin-full-active-200.png");
    host::Clean();
    return 0;
}
