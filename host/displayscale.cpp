// The substitute host at a display scale other than 96 DPI, and programs
// started at one.
#include "host.h"

#include <cstdlib>
#include <string>

namespace host {

namespace {

constexpr char DESKTOP_KEY[] = "Control Panel\\Desktop";
constexpr char DPI_VALUE[] = "LogPixels";
constexpr char DPI_VARIABLE[] = "BRAMBLECOURT_DPI";

// The value as it was, put back when the run ends.
struct SavedDpi {
    bool existed;
    DWORD type, size;
    BYTE data[64];
};

SavedDpi WriteDpi(DWORD dpi)
{
    SavedDpi saved = {};
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, DESKTOP_KEY, &key) != ERROR_SUCCESS)
        return saved;
    saved.size = sizeof saved.data;
    saved.existed = RegQueryValueExA(key, DPI_VALUE, nullptr, &saved.type, saved.data, &saved.size) == ERROR_SUCCESS;
    RegSetValueExA(key, DPI_VALUE, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&dpi), sizeof dpi);
    RegCloseKey(key);
    return saved;
}

void PutDpiBack(const SavedDpi &saved)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, DESKTOP_KEY, &key) != ERROR_SUCCESS)
        return;
    if (saved.existed)
        RegSetValueExA(key, DPI_VALUE, 0, saved.type, saved.data, saved.size);
    else
        RegDeleteValueA(key, DPI_VALUE);
    RegCloseKey(key);
}

void TakeOutput(HANDLE pipe, std::string &output)
{
    DWORD available = 0, read = 0;
    char buffer[4096];
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available &&
           ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read)
        output.append(buffer, read);
}

} // namespace

void MakeDpiAware()
{
    SetProcessDPIAware();
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int length)
{
    return MulDiv(length, ScreenDpi(), 96);
}

int RequestedDpi()
{
    const char *value = getenv(DPI_VARIABLE);
    return value ? atoi(value) : 0;
}

ProgramRun RunProgramAtDpi(int dpi, const char *program, const std::vector<std::string> &arguments, DWORD timeoutMs)
{
    ProgramRun run = {-1, ""};
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE reader = nullptr, writer = nullptr;
    if (!CreatePipe(&reader, &writer, &inheritable, 0))
        return run;
    SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);

    std::string command = "\"" + ProgramBeside(program) + "\"";
    for (const std::string &argument : arguments)
        command += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writer;
    startup.hStdError = writer;
    PROCESS_INFORMATION info = {};
    SavedDpi saved = WriteDpi(DWORD(dpi));
    SetEnvironmentVariableA(DPI_VARIABLE, std::to_string(dpi).c_str());
    bool started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableA(DPI_VARIABLE, nullptr);
    CloseHandle(writer);
    if (started) {
        bool ended = PumpUntil(
            [&] {
                TakeOutput(reader, run.output);
                return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0;
            },
            timeoutMs);
        TakeOutput(reader, run.output);
        DWORD code = DWORD(-1);
        if (!ended)
            TerminateProcess(info.hProcess, code);
        else
            GetExitCodeProcess(info.hProcess, &code);
        run.exitCode = ended ? int(code) : -1;
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    PutDpiBack(saved);
    CloseHandle(reader);
    return run;
}

} // namespace host
