// Media-key hook: the media keys reach the host while another window is in
// front. The hook runs for every key event of the desktop, so it does no more
// than a range test on the ignored ones.
#include "mainwindow/mediakeys.h"

#include "plugin/plugin.h"

HHOOK mediaKeyHook;

namespace {

constexpr DWORD FIRST_MEDIA_KEY = VK_MEDIA_NEXT_TRACK; // 176 .. 179: next, previous, stop, play/pause
constexpr DWORD LAST_MEDIA_KEY = VK_MEDIA_PLAY_PAUSE;
// The key's code plus this, in the high word, is the application command
// with the mouse's device bits.
constexpr DWORD APPCOMMAND_FROM_KEY = 32603;

} // namespace

void InstallMediaKeyHook()
{
    mediaKeyHook = SetWindowsHookExA(WH_KEYBOARD_LL, MediaKeyHookProc, moduleInstance, 0);
}

void RemoveMediaKeyHook()
{
    if (!mediaKeyHook)
        return;
    UnhookWindowsHookEx(mediaKeyHook);
    mediaKeyHook = nullptr;
}

LRESULT CALLBACK MediaKeyHookProc(int code, WPARAM message, LPARAM event)
{
    if (code == HC_ACTION && message == WM_KEYUP) {
        DWORD key = reinterpret_cast<const KBDLLHOOKSTRUCT *>(event)->vkCode;
        // Without a host window the post would land on this thread's queue
        // as a message to no window, for the host's loop to stumble over.
        if (key >= FIRST_MEDIA_KEY && key <= LAST_MEDIA_KEY && hostMainWindow &&
            GetForegroundWindow() != hostMainWindow)
            PostMessageA(hostMainWindow, WM_APPCOMMAND, 0, LPARAM((key + APPCOMMAND_FROM_KEY) << 16));
    }
    return CallNextHookEx(mediaKeyHook, code, message, event);
}
