// Real keyboard input and another program's window in front, for the tests
// and benchmark of the global media keys. The other program is a process of
// its own: the module leaves alone every key that a window of the player's
// own process has in front.
#include "host.h"

#include <cstdio>

#include "otherprogram.h"

namespace host {

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
constexpr DWORD ANSWER_LIMIT_MS = 5000;

struct OtherProgram {
    HANDLE process, typed;
    DWORD processId;
    HWND window;
} other;

HWND FindOtherProgramWindow()
{
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, OTHER_PROGRAM_CLASS, nullptr));) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == other.processId)
            return window;
    }
    return nullptr;
}

// -1 when the program did not answer.
LRESULT AskOtherProgram(UINT request, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(other.window, request, wParam, lParam, SMTO_ABORTIFHUNG, ANSWER_LIMIT_MS, &answer))
        return -1;
    return LRESULT(answer);
}

} // namespace

HWND StartOtherProgram()
{
    if (other.window)
        return other.window;
    char name[64];
    snprintf(name, sizeof name, "Bramblecourt other program %lu", (unsigned long)GetCurrentProcessId());
    other.typed = CreateEventA(nullptr, FALSE, FALSE, name);
    StartedProgram started = StartProgram("other_program", {name});
    if (!started.process)
        return nullptr;
    other.process = started.process;
    other.processId = started.id;
    PumpUntil([] { return (other.window = FindOtherProgramWindow()) && GetForegroundWindow() == other.window; },
              10000);
    return other.window;
}

int OtherProgramGot(UINT message, WORD key)
{
    return other.window ? int(AskOtherProgram(OTHER_KEYS_SEEN, message, key)) : 0;
}

std::vector<double> TypeWhileHostIsBusy(WORD key, int times, DWORD blockMs)
{
    std::vector<double> delaysMs;
    if (AskOtherProgram(OTHER_TYPE, key, times) != 0)
        return delaysMs;
    // The busy spell.
    if (WaitForSingleObject(other.typed, blockMs) != WAIT_OBJECT_0)
        PumpUntil([] { return WaitForSingleObject(other.typed, 0) == WAIT_OBJECT_0; }, KEY_ARRIVAL_LIMIT_MS * times);
    for (int i = 0; i < times; ++i) {
        LRESULT us = AskOtherProgram(OTHER_DELAY, i, 0);
        if (us >= 0)
            delaysMs.push_back(double(us) / 1000.0);
    }
    return delaysMs;
}

void StopOtherProgram()
{
    if (other.window)
        PostMessageA(other.window, WM_CLOSE, 0, 0);
    // Its window's end may activate one of the host's, which this thread serves.
    if (other.process && !PumpUntil([] { return WaitForSingleObject(other.process, 0) == WAIT_OBJECT_0; }))
        TerminateProcess(other.process, 1);
    for (HANDLE handle : {other.process, other.typed})
        if (handle)
            CloseHandle(handle);
    other = {};
}

} // namespace host
