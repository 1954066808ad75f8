// The media-key hook's cost per key event against a hook that only passes
// the event on. The hook runs for every key of the whole desktop, so keys
// it ignores must cost nothing beyond the pass-on, and a media-key release
// one posted message.
//
// The hook procedure is compiled in here and called directly, as the system
// calls it: timing it through SendInput measures the input path of Wine and
// the machine's load far more than the hook.
#include <windows.h>

#include <cstdio>

#include "bench.h"
#include "host.h"
#include "msglog.h"

#include "../src/mainwindow/mediakeys.cpp"

HINSTANCE moduleInstance;
HWND hostMainWindow;

namespace {

HHOOK baselineHook;

LRESULT CALLBACK PassOnHook(int code, WPARAM message, LPARAM event)
{
    return CallNextHookEx(baselineHook, code, message, event);
}

void CallHook(HOOKPROC hook, WPARAM message, DWORD key, int calls)
{
    KBDLLHOOKSTRUCT event = {};
    event.vkCode = key;
    for (int i = 0; i < calls; ++i)
        hook(HC_ACTION, message, LPARAM(&event));
}

// Best microseconds per event of each hook, in alternating rounds so that a
// busy spell of the machine does not fall on one side only.
void Compare(WPARAM message, DWORD key, double *hookUs, double *baselineUs)
{
    const int calls = 2000;
    *hookUs = *baselineUs = 1e30;
    for (int round = 0; round < 15; ++round) {
        double t = bench::MicrosecondsPerCall([&] { CallHook(MediaKeyHookProc, message, key, calls); }, 1, 1) / calls;
        if (t < *hookUs)
            *hookUs = t;
        t = bench::MicrosecondsPerCall([&] { CallHook(PassOnHook, message, key, calls); }, 1, 1) / calls;
        if (t < *baselineUs)
            *baselineUs = t;
        host::PumpMessages();
    }
}

size_t PostedCommands()
{
    return host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND}).size();
}

} // namespace

int main()
{
    host::CreateHostWindows();
    // Another window is in front, so a media-key release is posted.
    HWND front = host::CreateWindowInFront(DefWindowProcA);
    hostMainWindow = host::mainWindow;
    // Both hooks are installed, as the system has them while they run.
    moduleInstance = GetModuleHandleA(nullptr);
    baselineHook = SetWindowsHookExA(WH_KEYBOARD_LL, PassOnHook, moduleInstance, 0);
    InstallMediaKeyHook();

    // Ignored: every press, and the release of any other key.
    double hookPress, baselinePress, hookMediaPress, baselineMediaPress, hookRelease, baselineRelease;
    Compare(WM_KEYDOWN, 'A', &hookPress, &baselinePress);
    Compare(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE, &hookMediaPress, &baselineMediaPress);
    Compare(WM_KEYUP, 'A', &hookRelease, &baselineRelease);

    // A media-key release adds one foreground query and one posted message.
    double hookMedia, baselineMedia;
    Compare(WM_KEYUP, VK_MEDIA_PLAY_PAUSE, &hookMedia, &baselineMedia);
    double postUs = bench::MicrosecondsPerCall([] { PostMessageA(host::mainWindow, WM_NULL, 0, 0); }, 2000, 3);
    host::PumpMessages();
    host::ClearLogs();
    const int releases = 100;
    CallHook(MediaKeyHookProc, WM_KEYUP, VK_MEDIA_PLAY_PAUSE, releases);
    host::PumpMessages();
    size_t posted = PostedCommands();

    bench::PrintRow("media-key hook, any key press", hookPress, "hook that only passes on", baselinePress, "<= 1.1");
    bench::PrintRow("media-key hook, media key press", hookMediaPress, "hook that only passes on",
                    baselineMediaPress, "<= 1.1");
    bench::PrintRow("media-key hook, other key release", hookRelease, "hook that only passes on", baselineRelease,
                    "<= 1.1");
    bench::PrintRow("media-key hook, play/pause release", hookMedia, "pass-on + one PostMessage",
                    baselineMedia + postUs, "informational");
    printf("INFO|messages posted per play/pause release|%.2f|target 1\n", double(posted) / releases);

    RemoveMediaKeyHook();
    UnhookWindowsHookEx(baselineHook);
    DestroyWindow(front);
    return 0;
}
