#include "harness.h"

#include <cstdio>
#include <cstring>

namespace testing_support {

std::string HostFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "Bramblecourt host";
}

std::string FileBytes(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "(not opened)";
    std::string text = "(none)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char *bytes = static_cast<const char *>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string WindowText(HWND window)
{
    if (!window)
        return "(no window)";
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void HostTest::SetUp()
{
    host::ResetSettings();
    CreateDirectoryA(HostFolder().c_str(), nullptr);
    host::SetHostExecutablePath((HostFolder() + "\\iTunes.exe").c_str());
    if (createWindows) {
        ASSERT_TRUE(host::CreateHostWindows(placement));
    }
    ASSERT_TRUE(host::LoadPlugin()) << "Bramblecourt.dll did not load";
    host::Init();
    ASSERT_NE(host::visualHandler, nullptr) << "no visual handler was registered";
}

void HostTest::StartPlugin(std::initializer_list<Setting> settings)
{
    for (const Setting &s : settings)
        host::SetSettingDword(s.name, s.value);
    host::Idle();
    host::PumpMessages();
}

::testing::AssertionResult SequenceIs(const std::vector<host::Logged> &got,
                                      const std::vector<host::Message> &expected)
{
    std::string report;
    if (host::MatchSequence(got, expected, &report))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << report;
}

} // namespace testing_support
