#include "nowplaying_fixture.h"

namespace testing_support {

void NowPlayingTest::StartWith(std::initializer_list<Setting> outputs)
{
    for (const char *name : {"Skin", "Clipboard", "WinAmp", "File", "CaptionText", "Menu", "Multimedia"})
        host::SetSettingDword(name, 0);
    DeleteFileA(SongFilePath().c_str());
    StartPlugin(outputs);
    threadsBefore = host::ThreadCount();
}

void NowPlayingTest::PlayAndWait(const host::Track &track)
{
    host::Play(host::BuildTrack(track));
    EXPECT_TRUE(host::WaitForThreadsAtMost(threadsBefore)) << "the start worker did not finish";
}

void NowPlayingTest::StopAndWait()
{
    host::Stop();
    EXPECT_TRUE(host::WaitForThreadsAtMost(threadsBefore)) << "the stop worker did not finish";
}

uint32_t NowPlayingTest::Position() { return uint32_t(SendMessageA(host::mainWindow, 29874, 0, 0)); }

LRESULT NowPlayingTest::PlayState() { return SendMessageA(host::mainWindow, 29872, 0, 0); }

std::string NowPlayingTest::SongFilePath() { return HostFolder() + "\\CurrentSong.txt"; }

std::string NowPlayingTest::SongFile()
{
    HANDLE file = CreateFileA(SongFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    char bytes[4096];
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(file);
    return std::string(bytes, read);
}

std::string NowPlayingTest::ClipboardText()
{
    std::string text = "(none)";
    if (!OpenClipboard(nullptr))
        return "(not opened)";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data) {
        text = static_cast<const char *>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string NowPlayingTest::Caption()
{
    char text[1024] = {};
    GetWindowTextA(host::mainWindow, text, sizeof text);
    return text;
}

std::string NowPlayingTest::WinampTitle()
{
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    if (!winamp)
        return "(no window)";
    char text[1024] = {};
    GetWindowTextA(winamp, text, sizeof text);
    return text;
}

} // namespace testing_support
