#include "nowplaying_peer.h"

#include <cstdio>

#include "host.h"

namespace testing_support {

namespace {

LRESULT CALLBACK SinkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        auto *data = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
        auto *owner = reinterpret_cast<std::vector<peer::Report> *>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (owner && data->cbData == sizeof(peer::Report))
            owner->push_back(*static_cast<const peer::Report *>(data->lpData));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int RunProgram(const char *program, const std::vector<std::string> &arguments, DWORD timeoutMs)
{
    HANDLE process = host::StartProgram(program, arguments).process;
    if (!process)
        return -1;
    DWORD code = DWORD(-1);
    if (host::PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs))
        GetExitCodeProcess(process, &code);
    else
        TerminateProcess(process, code);
    CloseHandle(process);
    return int(code);
}

bool PeerProgram::Start(const char *program, const std::vector<std::string> &arguments)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SinkWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BramblecourtPeerSink";
    RegisterClassA(&windowClass);
    sink = CreateWindowExA(0, windowClass.lpszClassName, "sink", 0, 0, 0, 0, 0, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
    SetWindowLongPtrA(sink, GWLP_USERDATA, LONG_PTR(&reports));

    char sinkText[16];
    snprintf(sinkText, sizeof sinkText, "%lx", (unsigned long)uintptr_t(sink));
    std::vector<std::string> line = {sinkText};
    line.insert(line.end(), arguments.begin(), arguments.end());
    host::StartedProgram started = host::StartProgram(program, line);
    if (!started.process)
        return false;
    process = started.process;
    processId = started.id;
    if (!host::PumpUntil([this] { return !reports.empty(); }, 10000))
        return false;
    window = HWND(uintptr_t(reports.front().peerWindow));
    reports.clear();
    return true;
}

const peer::Report *PeerProgram::Ask(UINT request, WPARAM wParam, peer::ReportKind answer)
{
    size_t before = reports.size();
    PostMessageA(window, request, wParam, 0);
    auto arrived = [&] {
        for (size_t i = before; i < reports.size(); ++i)
            if (reports[i].kind == answer)
                return true;
        return false;
    };
    if (!host::PumpUntil(arrived))
        return nullptr;
    for (size_t i = before; i < reports.size(); ++i)
        if (reports[i].kind == answer)
            return &reports[i];
    return nullptr;
}

std::vector<peer::Report> PeerProgram::Notifications()
{
    Ask(peer::REQUEST_SYNC, 0, peer::REPORT_SYNC);
    std::vector<peer::Report> notified;
    for (const peer::Report &report : reports)
        if (report.kind == peer::REPORT_NOTIFIED)
            notified.push_back(report);
    return notified;
}

std::vector<uint32_t> PeerProgram::NotificationCodes()
{
    std::vector<uint32_t> codes;
    for (const peer::Report &report : Notifications())
        codes.push_back(report.code);
    return codes;
}

PeerProgram::~PeerProgram()
{
    if (process) {
        PostMessageA(window, peer::REQUEST_QUIT, 0, 0);
        host::PumpUntil([this] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 3000);
        TerminateProcess(process, 0);
        CloseHandle(process);
    }
    if (sink)
        DestroyWindow(sink);
}

} // namespace testing_support
