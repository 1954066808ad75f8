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

namespace {

constexpr DWORD KEY_ARRIVAL_LIMIT_MS = 15000;

// Shared with the other program's thread; each side writes its part only
// while the other waits on an event.
struct OtherProgram {
    HANDLE thread, ready, go, done;
    HWND window;
    bool quit;
    std::vector<WORD> keys;
    std::vector<double> delaysMs;
    WORD awaited;
    bool arrived;
} other;

double Milliseconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

LRESULT CALLBACK OtherProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYUP && wParam == other.awaited)
        other.arrived = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

// Pumps this thread's queue until the event is set or the time is up.
bool PumpOwnQueueUntil(HANDLE event, const bool *flag, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if ((flag && *flag) || (event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0))
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        // The events are auto-reset: the wait that sees one set takes it.
        if (event && MsgWaitForMultipleObjects(1, &event, FALSE, 5, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        if (!event)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

DWORD WINAPI OtherProgramThread(LPVOID)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OtherProgramProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Another program's thread";
    RegisterClassA(&wc);
    other.window = CreateWindowExA(0, wc.lpszClassName, "Another program", WS_POPUP | WS_VISIBLE, 300, 300, 200, 100,
                                   nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(other.window);
    SetFocus(other.window);
    SetEvent(other.ready);
    for (;;) {
        PumpOwnQueueUntil(other.go, nullptr, INFINITE);
        if (other.quit)
            break;
        other.delaysMs.clear();
        for (WORD key : other.keys) {
            other.awaited = key;
            other.arrived = false;
            INPUT input[2] = {};
            input[0].type = input[1].type = INPUT_KEYBOARD;
            input[0].ki.wVk = input[1].ki.wVk = key;
            input[1].ki.dwFlags = KEYEVENTF_KEYUP;
            double start = Milliseconds();
            SendInput(2, input, sizeof input[0]);
            PumpOwnQueueUntil(nullptr, &other.arrived, KEY_ARRIVAL_LIMIT_MS);
            other.delaysMs.push_back(Milliseconds() - start);
        }
        SetEvent(other.done);
    }
    DestroyWindow(other.window);
    return 0;
}

} // namespace

HWND StartOtherProgram()
{
    other.ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    other.go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    other.done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    other.quit = false;
    other.thread = CreateThread(nullptr, 0, OtherProgramThread, nullptr, 0, nullptr);
    WaitForSingleObject(other.ready, 5000);
    PumpUntil([] { return GetForegroundWindow() == other.window; });
    return other.window;
}

std::vector<double> TypeWhileHostIsBusy(const std::vector<WORD> &keys, DWORD blockMs)
{
    other.keys = keys;
    SetEvent(other.go);
    // The busy spell.
    if (WaitForSingleObject(other.done, blockMs) != WAIT_OBJECT_0)
        PumpUntil([] { return WaitForSingleObject(other.done, 0) == WAIT_OBJECT_0; }, KEY_ARRIVAL_LIMIT_MS);
    return other.delaysMs;
}

void StopOtherProgram()
{
    other.quit = true;
    SetEvent(other.go);
    // Its window's end may activate one of the host's, which this thread serves.
    PumpUntil([] { return WaitForSingleObject(other.thread, 0) == WAIT_OBJECT_0; });
    for (HANDLE *handle : {&other.thread, &other.ready, &other.go, &other.done}) {
        CloseHandle(*handle);
        *handle = nullptr;
    }
    other.window = nullptr;
}

} // namespace host
