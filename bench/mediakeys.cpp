// The media-key hook's cost per key event, against a hook that only passes
// the event on, both measured end to end: SendInput of a press and release
// until the window in front has the release. The module's hook runs for
// every key of the desktop, so ignored keys must cost nothing extra.
#include <windows.h>

#include <cstdio>

#include "bench.h"
#include "host.h"
#include "msglog.h"

namespace {

HHOOK baselineHook;
int releasesInFront; // key releases the window in front received

LRESULT CALLBACK PassOnHook(int code, WPARAM message, LPARAM event)
{
    return CallNextHookEx(baselineHook, code, message, event);
}

LRESULT CALLBACK FrontWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYUP)
        ++releasesInFront;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateFrontWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrontWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Window in front";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Window in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300,
                                  200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    host::PumpUntil([window] { return GetForegroundWindow() == window; });
    return window;
}

void Tap(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    int before = releasesInFront;
    SendInput(2, inputs, sizeof inputs[0]);
    host::PumpUntil([before] { return releasesInFront > before; }, 2000);
}

// Two key events (press and release) per tap.
double MicrosecondsPerKeyEvent(WORD key)
{
    return bench::MicrosecondsPerCall([key] { Tap(key); }, 200) / 2;
}

size_t PostedCommands()
{
    return host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND}).size();
}

} // namespace

int main()
{
    host::ResetSettings();
    host::SetSettingDword("Multimedia", 1);
    host::SetSettingDword("Skin", 0);
    host::CreateHostWindows();
    host::LoadPlugin();
    host::Init();
    HWND front = CreateFrontWindow();

    baselineHook = SetWindowsHookExA(WH_KEYBOARD_LL, PassOnHook, GetModuleHandleA(nullptr), 0);
    // The first events pay for setting up the input path; keep them out.
    MicrosecondsPerKeyEvent('A');
    double baselineIgnored = MicrosecondsPerKeyEvent('A');
    double baselineMedia = MicrosecondsPerKeyEvent(VK_MEDIA_PLAY_PAUSE);
    UnhookWindowsHookEx(baselineHook);

    // The start-up installs the module's hook; the window in front keeps the keys.
    host::Idle();
    SetForegroundWindow(front);
    SetFocus(front);
    host::PumpUntil([front] { return GetForegroundWindow() == front; });
    double moduleIgnored = MicrosecondsPerKeyEvent('A');
    host::ClearLogs();
    const int releases = 50;
    for (int i = 0; i < releases; ++i)
        Tap(VK_MEDIA_PLAY_PAUSE);
    host::PumpFor(100);
    size_t posted = PostedCommands();
    double moduleMedia = MicrosecondsPerKeyEvent(VK_MEDIA_PLAY_PAUSE);
    host::PumpMessages();

    bench::PrintRow("media-key hook, ignored key (per key event)", moduleIgnored, "hook that only passes on",
                    baselineIgnored, "<= 1.1");
    bench::PrintRow("media-key hook, play/pause (per key event)", moduleMedia, "hook that only passes on",
                    baselineMedia, "one post per release");
    printf("INFO|messages posted per play/pause release|%.2f|target 1\n", double(posted) / releases);
    DestroyWindow(front);
    return 0;
}
