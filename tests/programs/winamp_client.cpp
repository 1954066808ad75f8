// A program written for the Winamp player: it finds the window of class
// "Winamp v1.x", asks it Winamp's queries, reads its title as Winamp's
// now-playing title and sends Winamp's transport commands.
//
// winamp_client <sink window>
#include <cstdio>
#include <string>

#include "peer_protocol.h"

namespace {

constexpr UINT WM_WA_IPC = WM_USER;
constexpr LPARAM IPC_GETVERSION = 0, IPC_ISPLAYING = 104, IPC_GETOUTPUTTIME = 105, IPC_GETLISTLENGTH = 124,
                 IPC_GETLISTPOS = 125;

HWND sink;
HWND self;

bool StripSuffix(std::string &text, const std::string &suffix)
{
    if (text.size() < suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    text.erase(text.size() - suffix.size());
    return true;
}

// "N. Artist - Title - Winamp", " [Paused]" after it while paused.
void ParseTitle(const char *windowTitle, peer::Report &report)
{
    std::string text = windowTitle;
    report.paused = StripSuffix(text, " [Paused]");
    StripSuffix(text, " - Winamp");
    size_t dot = text.find(". ");
    if (dot != std::string::npos) {
        report.number = atoi(text.substr(0, dot).c_str());
        text.erase(0, dot + 2);
    }
    std::string artist, title = text;
    size_t dash = text.find(" - ");
    if (dash != std::string::npos) {
        artist = text.substr(0, dash);
        title = text.substr(dash + 3);
    }
    snprintf(report.artist, sizeof report.artist, "%s", artist.c_str());
    snprintf(report.title, sizeof report.title, "%s", title.c_str());
}

peer::Report &View()
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = peer::REPORT_WINAMP;
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    report.result = winamp != nullptr;
    if (!winamp)
        return report;
    report.version = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETVERSION));
    report.playState = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_ISPLAYING));
    report.positionMs = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETOUTPUTTIME));
    report.lengthSeconds = int32_t(SendMessageA(winamp, WM_WA_IPC, 1, IPC_GETOUTPUTTIME));
    report.lengthMs = int32_t(SendMessageA(winamp, WM_WA_IPC, 2, IPC_GETOUTPUTTIME));
    report.listLength = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETLISTLENGTH));
    report.listPosition = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETLISTPOS));
    GetWindowTextA(winamp, report.winampTitle, sizeof report.winampTitle);
    ParseTitle(report.winampTitle, report);
    return report;
}

void SendCommand(WPARAM command)
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = peer::REPORT_SYNC;
    report.code = uint32_t(command);
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    report.result = int32_t(SendMessageA(winamp, WM_COMMAND, command, 0));
    peer::SendReport(sink, self, report);
}

LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case peer::REQUEST_WINAMP_VIEW:
        peer::SendReport(sink, self, View());
        return 0;
    case peer::REQUEST_WINAMP_COMMAND:
        SendCommand(wParam);
        return 0;
    case peer::REQUEST_QUIT:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    sink = peer::ParseWindow(argv[1]);
    self = peer::CreateProgramWindow("BramblecourtWinampClient", ClientWindowProc);
    static peer::Report ready;
    ready.kind = peer::REPORT_READY;
    ready.peerWindow = uint32_t(uintptr_t(self));
    peer::SendReport(sink, self, ready);
    return peer::RunMessageLoop();
}
