// Real keyboard input and another program's window in front, for the tests
// and benchmark of the global media keys.
#include "host.h"

namespace host {

HWND CreateWindowInFront(WNDPROC procedure)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Another program";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300,
                                  200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    BringToFront(window);
    return window;
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    SetFocus(window);
    return PumpUntil([window] { return GetForegroundWindow() == window; });
}

void SendKey(WORD key, bool release)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace host
