// The test's side of the helper programs in programs/: starts one as a
// process of its own and collects what it reports.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "programs/peer_protocol.h"

namespace testing_support {

class PeerProgram {
public:
    PeerProgram() = default;
    PeerProgram(const PeerProgram &) = delete;
    PeerProgram &operator=(const PeerProgram &) = delete;
    ~PeerProgram();

    // Starts build/bin/<program>.exe with the arguments and pumps until it
    // reports that it is ready.
    bool Start(const char *program, const std::vector<std::string> &arguments = {});
    // Posts a request and pumps until a report of the kind arrives; the
    // report, or nullptr when none came.
    const peer::Report *Ask(UINT request, WPARAM wParam, peer::ReportKind answer);
    // Every notification reported so far, after all posted before it arrived.
    std::vector<peer::Report> Notifications();
    std::vector<uint32_t> NotificationCodes();

    HWND window = nullptr; // the program's own window
    DWORD processId = 0;
    std::vector<peer::Report> reports;

private:
    HWND sink = nullptr;
    HANDLE process = nullptr;
};

// Runs build/bin/<program>.exe with the arguments to its end, pumping
// meanwhile; its exit code, or -1 when it did not start or end in time.
int RunProgram(const char *program, const std::vector<std::string> &arguments, DWORD timeoutMs = 30000);

} // namespace testing_support
