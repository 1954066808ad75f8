// Media-key hook: the media keys reach the host while another window is in
// front. The hook runs for every key event of the desktop, so it does no more
// than a range test on the ignored ones.
//
// The hook's thread. A low-level hook is called through the message loop of
// the thread that installed it, and every key of the desktop waits for that
// call: on the host's thread a busy player would hold up all typing, and
// Windows silently drops a hook that keeps timing out. So the hook lives on a
// thread of its own that installs it, says whether it got it, and then only
// sits in GetMessage until a WM_QUIT, when it removes the hook and ends.
// The host's thread alone starts and ends it (start-up, the options dialog,
// "clr ", WM_DESTROY) and waits for it there, at most briefly: the thread is
// only ever in GetMessage or in the hook procedure. One that does not end in
// time is left to end by itself and asked again at the next call. While it
// runs it holds a reference on the module, so a host that unloads the module
// without ending it first cannot unmap the hook procedure; the module then
// stays until the process ends.
#include "mainwindow/mediakeys.h"

#include "mediacontrols/mediacontrols.h"
#include "plugin/modulethread.h"
#include "plugin/plugin.h"

HHOOK mediaKeyHook;

namespace {

constexpr DWORD FIRST_MEDIA_KEY = VK_MEDIA_NEXT_TRACK; // 176 .. 179: next, previous, stop, play/pause
constexpr DWORD LAST_MEDIA_KEY = VK_MEDIA_PLAY_PAUSE;
// The key's code plus this, in the high word, is the application command
// with the mouse's device bits.
constexpr DWORD APPCOMMAND_FROM_KEY = 32603;

constexpr SIZE_T HOOK_STACK_SIZE = 64 * 1024;
// A thread starts and takes a message in a millisecond or two; these only
// keep a starved machine from holding up the host's thread.
constexpr DWORD HOOK_START_WAIT_MS = 1000;
constexpr DWORD HOOK_END_WAIT_MS = 100;

HANDLE hookThread;
DWORD hookThreadId;

// `ready` is the thread's own duplicate of the starter's event, so either
// side may give up its handle without the other's going stale.
DWORD WINAPI HookThread(LPVOID ready)
{
    MSG msg;
    // Makes the queue, so the WM_QUIT that ends the thread can be posted
    // from the moment it is ready.
    PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    // Every key of the desktop waits for this thread, which only ever does
    // a range test: it should never wait behind the player's own work.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, MediaKeyHookProc, moduleInstance, 0);
    mediaKeyHook = hook;
    SetEvent(ready);
    CloseHandle(ready);
    if (hook) {
        // No windows here: the hook is called from within GetMessage.
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        }
        UnhookWindowsHookEx(hook);
        mediaKeyHook = nullptr;
    }
    EndModuleThread(0);
}

// The system gives the key to a window of the host's process that is in
// front (the main window, the equalizer, a dialog, any of its threads'): a
// posted command as well would make the host act twice.
bool HostProcessInFront()
{
    DWORD process = 0;
    HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, &process) && process == GetCurrentProcessId();
}

} // namespace

bool InstallMediaKeyHook()
{
    // One hook thread at a time: one that would not end keeps its place.
    RemoveMediaKeyHook();
    if (hookThread)
        return false;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ready)
        return false;
    HANDLE threadsReady = nullptr;
    HANDLE thread = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), ready, GetCurrentProcess(), &threadsReady, 0, FALSE,
                        DUPLICATE_SAME_ACCESS)) {
        thread = StartModuleThread(HookThread, threadsReady, HOOK_STACK_SIZE);
        if (!thread)
            CloseHandle(threadsReady);
    }
    if (!thread) {
        CloseHandle(ready);
        return false;
    }
    hookThread = thread;
    hookThreadId = GetThreadId(thread);
    HANDLE started[] = {ready, thread};
    bool hooked = WaitForMultipleObjects(2, started, FALSE, HOOK_START_WAIT_MS) == WAIT_OBJECT_0 && mediaKeyHook;
    CloseHandle(ready);
    // Without its hook the thread ends by itself; a slow one is told to.
    if (!hooked)
        RemoveMediaKeyHook();
    return hooked;
}

void RemoveMediaKeyHook()
{
    if (!hookThread)
        return;
    DWORD start = GetTickCount();
    // The post fails only before the thread has made its queue, or after it
    // has ended.
    while (!PostThreadMessageA(hookThreadId, WM_QUIT, 0, 0) && GetTickCount() - start < HOOK_END_WAIT_MS &&
           WaitForSingleObject(hookThread, 1) == WAIT_TIMEOUT) {
    }
    DWORD waited = GetTickCount() - start;
    if (WaitForSingleObject(hookThread, waited < HOOK_END_WAIT_MS ? HOOK_END_WAIT_MS - waited : 0) != WAIT_OBJECT_0)
        return; // still running, with its module reference: ended at the next call
    CloseHandle(hookThread);
    hookThread = nullptr;
    hookThreadId = 0;
}

// While Windows' media controls have a session of the host, Windows hands
// them the media keys itself, and their buttons post the command.
LRESULT CALLBACK MediaKeyHookProc(int code, WPARAM message, LPARAM event)
{
    if (code == HC_ACTION && message == WM_KEYUP) {
        DWORD key = reinterpret_cast<const KBDLLHOOKSTRUCT *>(event)->vkCode;
        if (key >= FIRST_MEDIA_KEY && key <= LAST_MEDIA_KEY && !HostProcessInFront() && !MediaControlsLive())
            PostMediaKeyCommand(key);
    }
    return CallNextHookEx(mediaKeyHook, code, message, event);
}

void PostMediaKeyCommand(DWORD key)
{
    // Without a host window the post would become a message to the calling
    // thread.
    if (hostMainWindow)
        PostMessageA(hostMainWindow, WM_APPCOMMAND, 0, LPARAM((key + APPCOMMAND_FROM_KEY) << 16));
}
