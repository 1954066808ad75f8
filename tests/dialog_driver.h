// Drives the modal options dialog from the test thread: the test's body runs
// from a thread timer inside the dialog's own message loop.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// The texts the dialog's controls are found by.
inline constexpr char SKIN[] = "Skin the titlebar";
inline constexpr char MULTIMEDIA[] = "Make Multimedia keys work when the iTunes window is not active";
inline constexpr char CLIPBOARD[] = "Copy the current song name to the clipboard when you start playing a song";
inline constexpr char WINAMP[] = "Make programs recognize iTunes as WinAmp";
inline constexpr char FILE_BOX[] = "Create a file in the iTunes folder for the current track information";
inline constexpr char CAPTION[] = "Change the caption of the iTunes window to \"Artist - Song - iTunes\"";
inline constexpr char MENU[] = "Make ObjectBar recognize iTunes's menu";
inline constexpr char TRAY[] = "Minimize to tray (Enable the iTunes tray icon first)";
inline constexpr char DONT_OFFSET[] = "Don't offset the titlebar";
inline constexpr char TASKBAR_ALWAYS[] = "Always ";
inline constexpr char TASKBAR_NEVER[] = "Never ";
inline constexpr char TASKBAR_NOT_ON_TOP[] = "Only when iTunes is not Always On Top";
inline constexpr char TASKBAR_FULL[] = "Only when iTunes is in full mode";
inline constexpr char ON_TOP_ALWAYS[] = "Always";
inline constexpr char ON_TOP_NEVER[] = "Never";
inline constexpr char ON_TOP_MINI[] = "Only when in Mini Mode";
// Added when the dialog opens, under the multimedia keys' box.
inline constexpr char MEDIA_CONTROLS[] = "Show iTunes in Windows' media controls (Windows 10 and later)";
// Added when the dialog opens.
inline constexpr char COVER[] = "Cover picture";


// Sends "Options" (40007) to the host main window and runs body(dialog) once
// the dialog exists; then closes it with IDCANCEL, at once or, when the body
// is to end it itself, after two seconds (see DialogNeededClosing). Returns
// false when no dialog appeared.
bool WithOptionsDialog(const std::function<void(HWND dialog)> &body, bool closeAfter = true);
bool DialogNeededClosing();

HWND DialogButton(HWND dialog, const char *text);
// The controls overlap no control of the dialog but their group frames
// and each other.
::testing::AssertionResult ClearOfTheOthers(HWND dialog, std::vector<HWND> controls);
int CheckState(HWND dialog, const char *text);
// Clicks like the user: the button toggles itself (when automatic) and
// notifies the dialog.
void Click(HWND dialog, const char *text);

// For the next folder chooser opened over the dialog (the shell's, modal):
// once it shows, selects the folder in it and presses OK. Returns at once;
// AnsweredFolderChooser says whether a chooser came and was answered.
void AnswerFolderChooser(const std::string &folder);
bool AnsweredFolderChooser();

// Takes the posted BM_SETCHECK messages from the queue in their order,
// delivers them and returns (button text, state) for each.
std::vector<std::pair<std::string, int>> TakePostedChecks();

} // namespace testing_support
