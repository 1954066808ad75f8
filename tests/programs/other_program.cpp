// Another program on the desktop, its window in front with the focus: the
// media keys are typed into it. It counts the keys its window receives and,
// asked to, types keys itself with SendInput and times each until its window
// has the release, then sets the named event it was given.
//
// other_program <event name>
#include <vector>

#include "otherprogram.h"

namespace {

constexpr DWORD KEY_ARRIVAL_LIMIT_MS = 15000;

HANDLE typed;
std::vector<std::pair<UINT, WPARAM>> seen;
std::vector<LRESULT> delaysUs;
WPARAM awaited;
bool arrived;

double Microseconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1e6 / double(frequency.QuadPart);
}

void TypeKeys(WORD key, int times)
{
    delaysUs.clear();
    for (int i = 0; i < times; ++i) {
        awaited = key;
        arrived = false;
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        double start = Microseconds();
        SendInput(2, input, sizeof input[0]);
        DWORD began = GetTickCount();
        while (!arrived && GetTickCount() - began < KEY_ARRIVAL_LIMIT_MS) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        delaysUs.push_back(arrived ? LRESULT(Microseconds() - start) : -1);
    }
    SetEvent(typed);
}

LRESULT CALLBACK OtherProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        seen.push_back({message, wParam});
        if (message == WM_KEYUP && wParam == awaited)
            arrived = true;
        break;
    case host::OTHER_KEYS_SEEN: {
        LRESULT count = 0;
        for (const auto &key : seen)
            count += key.first == wParam && key.second == WPARAM(lParam);
        return count;
    }
    case host::OTHER_TYPE:
        PostMessageA(window, host::OTHER_TYPE_NOW, wParam, lParam);
        return 0;
    case host::OTHER_TYPE_NOW:
        TypeKeys(WORD(wParam), int(lParam));
        return 0;
    case host::OTHER_DELAY:
        return wParam < delaysUs.size() ? delaysUs[wParam] : -1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || !(typed = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1])))
        return 2;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OtherProgramProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = host::OTHER_PROGRAM_CLASS;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Another program", WS_POPUP | WS_VISIBLE, 300, 300,
                                  200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    CloseHandle(typed);
    return 0;
}
