#include "dialog_driver.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "resources/resource.h"
#include "host.h"

namespace testing_support {

namespace {

const std::function<void(HWND)> *pendingBody;
UINT_PTR bodyTimer;
UINT_PTR closeTimer;
bool bodyRan;
bool closeAfterBody;
bool forcedClose;
int ticksLeft;

void CALLBACK ForceClose(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, closeTimer);
    if (HWND dialog = FindWindowA("#32770", "Plugin Options")) {
        forcedClose = true;
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void CALLBACK RunBody(HWND, UINT, UINT_PTR, DWORD)
{
    // The dialog is shown once its loop first finds the queue empty.
    HWND dialog = FindWindowA("#32770", "Plugin Options");
    if (dialog && !IsWindowVisible(dialog))
        dialog = nullptr;
    if (!dialog && --ticksLeft > 0)
        return;
    KillTimer(nullptr, bodyTimer);
    if (!dialog)
        return;
    bodyRan = true;
    (*pendingBody)(dialog);
    if (!IsWindow(dialog))
        return;
    if (closeAfterBody)
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    else
        closeTimer = SetTimer(nullptr, 0, 2000, ForceClose);
}

std::string chooserFolder;
UINT_PTR chooserTimer;
bool chooserAnswered;
int chooserTicksLeft;

BOOL CALLBACK NoteChooser(HWND window, LPARAM found)
{
    char className[16];
    GetClassNameA(window, className, sizeof className);
    HWND owner = GetWindow(window, GW_OWNER);
    if (strcmp(className, "#32770") == 0 && IsWindowVisible(window) && owner &&
        owner == FindWindowA("#32770", "Plugin Options")) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerChooser(HWND, UINT, UINT_PTR, DWORD)
{
    HWND chooser = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteChooser, reinterpret_cast<LPARAM>(&chooser));
    if (!chooser && --chooserTicksLeft > 0)
        return;
    KillTimer(nullptr, chooserTimer);
    if (!chooser)
        return;
    SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chooserFolder.c_str()));
    // Posted, so the selection is taken before OK reads it.
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    chooserAnswered = true;
}

} // namespace

void AnswerFolderChooser(const std::string &folder)
{
    chooserFolder = folder;
    chooserAnswered = false;
    chooserTicksLeft = 100;
    chooserTimer = SetTimer(nullptr, 0, 50, AnswerChooser);
}

bool AnsweredFolderChooser()
{
    return chooserAnswered;
}

bool WithOptionsDialog(const std::function<void(HWND)> &body, bool closeAfter)
{
    pendingBody = &body;
    bodyRan = false;
    closeAfterBody = closeAfter;
    forcedClose = false;
    ticksLeft = 100;
    bodyTimer = SetTimer(nullptr, 0, 50, RunBody);
    SendMessageA(host::mainWindow, WM_COMMAND, ID_OPTIONS, 0);
    KillTimer(nullptr, bodyTimer);
    KillTimer(nullptr, closeTimer);
    return bodyRan;
}

bool DialogNeededClosing()
{
    return forcedClose;
}

HWND DialogButton(HWND dialog, const char *text)
{
    return FindWindowExA(dialog, nullptr, "Button", text);
}

int CheckState(HWND dialog, const char *text)
{
    return int(SendMessageA(DialogButton(dialog, text), BM_GETCHECK, 0, 0));
}

void Click(HWND dialog, const char *text)
{
    SendMessageA(DialogButton(dialog, text), BM_CLICK, 0, 0);
}

std::vector<std::pair<std::string, int>> TakePostedChecks()
{
    std::vector<std::pair<std::string, int>> checks;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, BM_SETCHECK, BM_SETCHECK, PM_REMOVE)) {
        char text[200] = "";
        GetWindowTextA(msg.hwnd, text, sizeof text);
        checks.emplace_back(text, int(msg.wParam));
        DispatchMessageA(&msg);
    }
    return checks;
}

::testing::AssertionResult ClearOfTheOthers(HWND dialog, std::vector<HWND> controls)
{
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (std::find(controls.begin(), controls.end(), c) != controls.end() ||
            (GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            continue;
        RECT r, own, overlap;
        GetWindowRect(c, &r);
        for (HWND control : controls) {
            GetWindowRect(control, &own);
            if (IntersectRect(&overlap, &r, &own)) {
                char text[160] = "", ownText[160] = "";
                GetWindowTextA(c, text, sizeof text);
                GetWindowTextA(control, ownText, sizeof ownText);
                return ::testing::AssertionFailure() << '"' << ownText << "\" overlaps \"" << text << '"';
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace testing_support
