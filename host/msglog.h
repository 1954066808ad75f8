// Message logs of the host's windows, compared as whole sequences in the
// manner of Wine's user32 message tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace host {

enum MessageFlags : unsigned {
    sent = 1,      // reached the window procedure directly
    posted = 2,    // taken from the queue by the pump
    wparam = 4,    // compare wParam
    lparam = 8,    // compare lParam
    optional = 16, // may be missing
};

struct Message {
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
};

struct Logged {
    HWND window;
    UINT message;
    unsigned flags; // sent or posted
    WPARAM wParam;
    LPARAM lParam;
};

// What the host's own procedures received (after any subclass passed it on).
extern std::vector<Logged> received;
// What the pump took from the queue for the host windows, before dispatch.
extern std::vector<Logged> queued;

void ClearLogs();

// Entries for one window, keeping only the listed messages (all when empty).
std::vector<Logged> Select(const std::vector<Logged> &log, HWND window, std::vector<UINT> only = {});

// Compares a whole sequence; on a mismatch *report holds both side by side.
bool MatchSequence(const std::vector<Logged> &got, const std::vector<Message> &expected, std::string *report);

std::string MessageName(UINT message);
std::string Describe(const std::vector<Logged> &log);

} // namespace host
