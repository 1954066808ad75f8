// Now playing: what the module publishes when a track starts and stops, for
// a Latin, a Hebrew (Windows-1255) and a Japanese track; the last is outside
// every 8-bit code page, so only the Unicode outputs show it.
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

// UTF-8 shown as it is, line breaks as \r\n.
std::string ShownUtf8(const std::string &utf8)
{
    std::string out;
    for (char c : utf8)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return "\"" + out + "\"";
}

std::string ShownWide(const std::wstring &text)
{
    char utf8[8192];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8, sizeof utf8, nullptr, nullptr);
    return ShownUtf8(std::string(utf8, bytes > 0 ? bytes : 0));
}

void PrintOutputs(const char *moment, const std::string &folder)
{
    printf("  after %s:\n", moment);
    printf("    CurrentSong.txt       %s\n", Shown(host::FileBytes(folder + "\\CurrentSong.txt")).c_str());
    printf("    CurrentSong.utf8.txt  %s\n", ShownUtf8(host::FileBytes(folder + "\\CurrentSong.utf8.txt")).c_str());
    printf("    NowPlaying.txt        %s\n", ShownUtf8(host::FileBytes(folder + "\\NowPlaying.txt")).c_str());
    printf("    CurrentCover.png      %u bytes\n", unsigned(host::FileBytes(folder + "\\CurrentCover.png").size()));
    printf("    clipboard, 8-bit      %s\n", Shown(host::ClipboardText()).c_str());
    printf("    clipboard, Unicode    %s\n", ShownWide(host::ClipboardUnicodeText()).c_str());
    printf("    caption               %s\n", ShownWide(host::WindowTextW(host::mainWindow)).c_str());
    printf("    Winamp title          %s\n", ShownWide(host::WindowTextW(FindWindowA("Winamp v1.x", nullptr))).c_str());
}

host::Track Track(const char *name, const char *artist, const char *genre, int number, uint16_t year,
                  uint32_t totalMs, const char *album)
{
    host::Track track = {name, artist, genre, number, year, totalMs};
    track.album = album;
    return track;
}

} // namespace

void EnableNowPlayingOutputs()
{
    for (const char *name : {"File", "Clipboard", "WinAmp", "CaptionText", "Cover"})
        host::SetSettingDword(name, 1);
    host::SetSettingText("LineFormat", std::wstring(L"\u266A {title} by {artist} ({length})"));
}

void ShowNowPlaying(const std::string &hostFolder)
{
    // The player's records: the 8-bit one in the tag's code page (the Hebrew
    // one in Windows-1255 whatever the system's), the Unicode one whole.
    host::Track hebrew = Track("\xE9\xF8\xE5\xF9\xEC\xE9\xED \xF9\xEC \xE6\xE4\xE1",
                               "\xF0\xF2\xEE\xE9 \xF9\xEE\xF8", "Folk", 3, 1967, 190000, "\xF9\xE9\xF8\xE9\xED");
    hebrew.wide.name = L"\u05D9\u05E8\u05D5\u05E9\u05DC\u05D9\u05DD \u05E9\u05DC \u05D6\u05D4\u05D1";
    hebrew.wide.artist = L"\u05E0\u05E2\u05DE\u05D9 \u05E9\u05DE\u05E8";
    hebrew.wide.album = L"\u05E9\u05D9\u05E8\u05D9\u05DD";
    host::Track japanese = Track("", "", "J-Pop", 1, 1998, 280000, "");
    japanese.wide.name = L"\u521D\u604B";
    japanese.wide.artist = L"\u5B87\u591A\u7530\u30D2\u30AB\u30EB";
    const struct {
        const char *kind;
        host::Track track;
    } tracks[] = {
        {"a Latin", Track("Here Comes the Sun", "The Beatles", "Rock", 7, 1969, 185000, "Abbey Road")},
        {"a Hebrew (Windows-1255)", hebrew},
        {"a Japanese (outside the code page)", japanese},
    };
    int threads = host::ThreadCount();
    for (const auto &[kind, track] : tracks) {
        printf("now playing, %s track:\n", kind);
        host::Play(track);
        host::WaitForThreadsAtMost(threads);
        PrintOutputs(host::SpeaksInterface2() ? "'Vply'" : "\"vply\"", hostFolder);
        host::Stop();
        host::WaitForThreadsAtMost(threads);
        PrintOutputs("\"vstp\"", hostFolder);
    }
}
