#include "nowplaying_fixture.h"

namespace testing_support {

void NowPlayingTest::StoreOutputs(std::initializer_list<Setting> outputs)
{
    for (const char *name : {"Skin", "Clipboard", "WinAmp", "File", "CaptionText", "Menu", "Multimedia", "Cover"})
        host::SetSettingDword(name, 0);
    for (const Setting &s : outputs)
        host::SetSettingDword(s.name, s.value);
    for (const std::string &folder : {HostFolder(), PerUserFolder()})
        for (const char *name : {"CurrentSong.txt", "CurrentSong.utf8.txt", "NowPlaying.txt", "CurrentCover.png"})
            DeleteFileA((folder + "\\" + name).c_str());
}

void NowPlayingTest::StartWith(std::initializer_list<Setting> outputs)
{
    StoreOutputs(outputs);
    StartPlugin();
    threadsBefore = host::ThreadCount();
}

void NowPlayingTest::PlayAndWait(const host::Track &track)
{
    host::Play(track);
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

std::string NowPlayingTest::SongFile() { return FileBytes(SongFilePath()); }

std::string NowPlayingTest::SongFileIn(const std::string &folder) { return FileBytes(folder + "\\CurrentSong.txt"); }

std::string NowPlayingTest::Utf8SongFile() { return FileBytes(HostFolder() + "\\CurrentSong.utf8.txt"); }

std::string NowPlayingTest::LineFile() { return FileBytes(HostFolder() + "\\NowPlaying.txt"); }

std::string NowPlayingTest::CoverFile() { return FileBytes(HostFolder() + "\\CurrentCover.png"); }

std::string NowPlayingTest::ClipboardText() { return testing_support::ClipboardText(); }

std::string NowPlayingTest::Caption() { return WindowText(host::mainWindow); }

std::string NowPlayingTest::WinampTitle() { return WindowText(FindWindowA("Winamp v1.x", nullptr)); }

std::wstring NowPlayingTest::CaptionW() { return WindowTextW(host::mainWindow); }

std::wstring NowPlayingTest::WinampTitleW() { return WindowTextW(FindWindowA("Winamp v1.x", nullptr)); }

} // namespace testing_support
