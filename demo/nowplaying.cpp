// Now playing: what the module publishes when a track starts and stops, for
// a Latin and a Hebrew (Windows-1255) track.
#include <cstdio>
#include <string>

#include "demo.h"
#include "host.h"

namespace {

// Windows-1255 bytes shown as UTF-8, line breaks as \r\n.
std::string Shown(const std::string &text)
{
    wchar_t wide[4096];
    int length = MultiByteToWideChar(1255, 0, text.data(), int(text.size()), wide, 4096);
    char utf8[8192];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
    std::string out;
    for (char c : std::string(utf8, bytes > 0 ? bytes : 0))
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return "\"" + out + "\"";
}

void PrintOutputs(const char *moment, const std::string &folder)
{
    printf("  after %s:\n", moment);
    printf("    CurrentSong.txt  %s\n", Shown(host::FileBytes(folder + "\\CurrentSong.txt")).c_str());
    printf("    clipboard        %s\n", Shown(host::ClipboardText()).c_str());
    printf("    caption          %s\n", Shown(host::WindowText(host::mainWindow)).c_str());
    printf("    Winamp title     %s\n", Shown(host::WindowText(FindWindowA("Winamp v1.x", nullptr))).c_str());
}

} // namespace

void EnableNowPlayingOutputs()
{
    for (const char *name : {"File", "Clipboard", "WinAmp", "CaptionText"})
        host::SetSettingDword(name, 1);
}

void ShowNowPlaying(const std::string &hostFolder)
{
    const host::Track tracks[] = {
        {"Here Comes the Sun", "The Beatles", "Abbey Road", 7, 1969, 185000},
        {"\xE9\xF8\xE5\xF9\xEC\xE9\xED \xF9\xEC \xE6\xE4\xE1", "\xF0\xF2\xEE\xE9 \xF9\xEE\xF8",
         "\xF9\xE9\xF8\xE9\xED", 3, 1967, 190000},
    };
    int threads = host::ThreadCount();
    for (const host::Track &track : tracks) {
        printf("now playing, %s track:\n", &track == tracks ? "a Latin" : "a Hebrew (Windows-1255)");
        host::Play(host::BuildTrack(track));
        host::WaitForThreadsAtMost(threads);
        PrintOutputs("\"vply\"", hostFolder);
        host::Stop();
        host::WaitForThreadsAtMost(threads);
        PrintOutputs("\"vstp\"", hostFolder);
    }
}
