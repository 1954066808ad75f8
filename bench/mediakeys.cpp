// The media-key hook's cost per key event against a hook that only passes
// the event on. The hook runs for every key of the whole desktop, so keys
// it ignores must cost nothing beyond the pass-on, and a media-key release
// one posted message.
//
// The hook procedure is compiled in here and called directly, as the system
// calls it: timing it through SendInput measures the input path of Wine and
// the machine's load far more than the hook. The busy-host row does go
// through SendInput: what it measures is whom a key event waits for.
#include <windows.h>

#include <cstdio>

#include "bench.h"
#include "host.h"
#include "msglog.h"

#include "../src/mainwindow/mediakeys.cpp"
#include "../src/plugin/modulethread.cpp"

HINSTANCE moduleInstance;
HWND hostMainWindow;
// No session of Windows' media controls here: the hook posts every key.
bool MediaControlsLive()
{
    return false;
}

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

// Microseconds per event of each hook, in alternating rounds.
bench::Comparison Compare(WPARAM message, DWORD key)
{
    const int calls = 2000;
    return bench::CompareRounds(
        [&] { return bench::MicrosecondsPerCall([&] { CallHook(MediaKeyHookProc, message, key, calls); }, 1) / calls; },
        [&] { return bench::MicrosecondsPerCall([&] { CallHook(PassOnHook, message, key, calls); }, 1) / calls; },
        15, host::PumpMessages);
}

// Microseconds from another program's SendInput until its window has the
// key, while this thread, the host's, is blocked for up to blockMs (0: the
// host pumps all along).
double KeyDelay(DWORD blockMs)
{
    return bench::Median(host::TypeWhileHostIsBusy('A', 5, blockMs)) * 1000.0;
}

double KeyDelayWithHook(DWORD blockMs)
{
    InstallMediaKeyHook();
    double us = KeyDelay(blockMs);
    RemoveMediaKeyHook();
    return us;
}

size_t PostedCommands()
{
    return host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND}).size();
}

} // namespace

int main()
{
    host::CreateHostWindows();
    // Another program's window is in front, so a media-key release is posted.
    host::StartOtherProgram();
    hostMainWindow = host::mainWindow;
    // Both hooks are installed, as the system has them while they run.
    moduleInstance = GetModuleHandleA(nullptr);
    baselineHook = SetWindowsHookExA(WH_KEYBOARD_LL, PassOnHook, moduleInstance, 0);
    InstallMediaKeyHook();

    // Ignored: every press, and the release of any other key.
    bench::Comparison press = Compare(WM_KEYDOWN, 'A');
    bench::Comparison mediaPress = Compare(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE);
    bench::Comparison release = Compare(WM_KEYUP, 'A');

    // A media-key release adds the foreground window and its process, and
    // one posted message,
    // so its baseline is the pass-on hook followed by one post.
    KBDLLHOOKSTRUCT media = {};
    media.vkCode = VK_MEDIA_PLAY_PAUSE;
    bench::Comparison mediaRelease = bench::Compare(
        [&] { MediaKeyHookProc(HC_ACTION, WM_KEYUP, LPARAM(&media)); },
        [&] {
            PassOnHook(HC_ACTION, WM_KEYUP, LPARAM(&media));
            PostMessageA(host::mainWindow, WM_NULL, 0, 0);
        },
        500, bench::ROUNDS, host::PumpMessages);
    host::ClearLogs();
    const int releases = 100;
    CallHook(MediaKeyHookProc, WM_KEYUP, VK_MEDIA_PLAY_PAUSE, releases);
    host::PumpMessages();
    size_t posted = PostedCommands();

    bench::PrintRow("media-key hook, any key press", press, "hook that only passes on", "<= 1.1");
    bench::PrintRow("media-key hook, media key press", mediaPress, "hook that only passes on", "<= 1.1");
    bench::PrintRow("media-key hook, other key release", release, "hook that only passes on", "<= 1.1");
    bench::PrintRow("media-key hook, play/pause release", mediaRelease, "pass-on + one PostMessage", "informational");
    printf("INFO|messages posted per play/pause release|%.2f|target 1\n", double(posted) / releases);

    RemoveMediaKeyHook();
    UnhookWindowsHookEx(baselineHook);

    // Served by the host's thread, the hook would hold each key for the
    // whole block. Any low-level hook costs each key event a round trip to
    // the hook's thread; the second row shows that the block adds nothing.
    bench::Comparison busy = bench::CompareRounds([] { return KeyDelayWithHook(500); }, [] { return KeyDelay(500); },
                                                  bench::ROUNDS, host::PumpMessages);
    bench::Comparison busyAgainstIdle = bench::CompareRounds(
        [] { return KeyDelayWithHook(500); }, [] { return KeyDelayWithHook(0); }, bench::ROUNDS, host::PumpMessages);
    host::StopOtherProgram();
    bench::PrintRow("another program's key, host blocked 500 ms", busy, "same with no hook installed", "<= 1.1");
    bench::PrintRow("another program's key, host blocked 500 ms", busyAgainstIdle, "same, host pumping", "<= 1.1");
    return 0;
}
