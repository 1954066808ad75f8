// Drives the modal options dialog from the test thread: the test's body runs
// from a thread timer inside the dialog's own message loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Sends "Options" (40007) to the host main window and runs body(dialog) once
// the dialog exists; then closes it with IDCANCEL, at once or, when the body
// is to end it itself, after two seconds (see DialogNeededClosing). Returns
// false when no dialog appeared.
bool WithOptionsDialog(const std::function<void(HWND dialog)> &body, bool closeAfter = true);
bool DialogNeededClosing();

HWND DialogButton(HWND dialog, const char *text);
int CheckState(HWND dialog, const char *text);
// Clicks like the user: the button toggles itself (when automatic) and
// notifies the dialog.
void Click(HWND dialog, const char *text);

// Takes the posted BM_SETCHECK messages from the queue in their order,
// delivers them and returns (button text, state) for each.
std::vector<std::pair<std::string, int>> TakePostedChecks();

} // namespace testing_support
