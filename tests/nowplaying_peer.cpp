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

std::string ProgramPath(const char *program)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + program + ".exe";
}

int RunProgram(const char *program, const std::vector<std::string> &arguments, DWORD timeoutMs)
{
    std::string command = "\"" + ProgramPath(program) + "\"";
    for (const std::string &argument : arguments)
        command += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    CloseHandle(info.hThread);
    DWORD code = DWORD(-1);
    if (host::PumpUntil([&] { return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs))
        GetExitCodeProcess(info.hProcess, &code);
    else
        TerminateProcess(info.hProcess, code);
    CloseHandle(info.hProcess);
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
    std::string command = "\"" + ProgramPath(program) + "\" " + sinkText;
    for (const std::string &argument : arguments)
        command += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
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
