// How the substitute host talks to other_program.exe, another program on the
// desktop whose window is in front (tests/programs/other_program.cpp).
// Everything is sent to the program's window.
#pragma once
#include <windows.h>

namespace host {

constexpr char OTHER_PROGRAM_CLASS[] = "Another program";

enum OtherProgramRequest : UINT {
    OTHER_KEYS_SEEN = WM_APP + 1, // wParam WM_KEYDOWN or WM_KEYUP, lParam the key: how many came
    OTHER_TYPE = WM_APP + 2,      // wParam the key, lParam how often: typed after the answer
    OTHER_DELAY = WM_APP + 3,     // wParam an index: that key's delay in microseconds, -1 for none
    OTHER_TYPE_NOW = WM_APP + 4,  // the program's own, posted by OTHER_TYPE
};

} // namespace host
