// Each now-playing output on its own, per track change: from the "vply" of
// the other track until the output shows it, against the same system call
// made directly on the host's thread. Two rows put two outputs together.
// Each row runs in a process of its own, since the outputs are chosen by the
// settings read at start-up. A last row times the line and the cover beside
// the song file against the song file alone, the plug-in started again with
// the other settings between the rounds.
#include <windows.h>

#include <process.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench.h"
#include "host.h"
#include "pictures.h"

namespace {

enum Output { FILE_OUT = 1, CLIPBOARD_OUT = 2, CAPTION_OUT = 4, WINAMP_OUT = 8, MENU_OUT = 16 };

struct Case {
    const char *row;
    int outputs;
};
constexpr Case CASES[] = {
    {"track change: song file alone", FILE_OUT},
    {"track change: clipboard alone", CLIPBOARD_OUT},
    {"track change: caption alone", CAPTION_OUT},
    {"track change: Winamp title alone", WINAMP_OUT},
    {"track change: menu label alone", MENU_OUT},
    {"track change: caption and Winamp title", CAPTION_OUT | WINAMP_OUT},
    {"track change: clipboard and caption", CLIPBOARD_OUT | CAPTION_OUT},
};

struct Shown {
    std::string artist, name;
    std::vector<uint8_t> record;
    std::string Text() const { return artist + " - " + name; }
    std::string Lines() const { return artist + "\r\n" + name + "\r\n\r\n1\r\n2004"; }
};

std::string folder;
HWND winamp;

DWORD FileSize(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

std::string MenuLabel()
{
    char label[32] = "";
    GetMenuStringA(GetMenu(host::mainWindow), 40010, label, sizeof label, MF_BYCOMMAND);
    return label;
}

// Read only once the sequence number moved, so the bench never holds the
// clipboard while the worker wants it.
bool ClipboardShows(DWORD sequence, const std::string &text)
{
    return GetClipboardSequenceNumber() != sequence && host::ClipboardText() == text;
}

bool Shows(int outputs, const Shown &track, DWORD sequence)
{
    return (!(outputs & FILE_OUT) || FileSize(folder + "\\CurrentSong.txt") == track.Lines().size()) &&
           (!(outputs & CLIPBOARD_OUT) || ClipboardShows(sequence, track.Text())) &&
           (!(outputs & CAPTION_OUT) || host::WindowText(host::mainWindow) == track.Text() + " - iTunes") &&
           (!(outputs & WINAMP_OUT) || host::WindowText(winamp) == "1. " + track.Text() + " - Winamp") &&
           (!(outputs & MENU_OUT) || MenuLabel() == "Pause");
}

// Polled without a timed wait: a timed wait's granularity (2 ms and more
// here) would be most of what is measured. Sent messages are handled on the
// way, as the host's own loop would.
void WaitUntilShown(int outputs, const Shown &track, DWORD sequence)
{
    DWORD start = GetTickCount();
    for (;;) {
        host::PumpMessages();
        if (Shows(outputs, track, sequence))
            return;
        if (GetTickCount() - start > 2000)
            return;
        SwitchToThread();
    }
}

// The same outputs written by this thread itself.
void WriteDirectly(int outputs, const Shown &track)
{
    if (outputs & FILE_OUT) {
        HANDLE file = CreateFileA((folder + "\\direct.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written;
        WriteFile(file, track.Lines().data(), DWORD(track.Lines().size()), &written, nullptr);
        CloseHandle(file);
    }
    if (outputs & CLIPBOARD_OUT) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, track.Text().size() + 1);
        memcpy(GlobalLock(text), track.Text().c_str(), track.Text().size());
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
    }
    if (outputs & CAPTION_OUT)
        SetWindowTextA(host::mainWindow, (track.Text() + " - direct").c_str());
    if (outputs & WINAMP_OUT)
        SetWindowTextA(winamp, (track.Text() + " - direct").c_str());
    if (outputs & MENU_OUT)
        ModifyMenuA(GetMenu(host::mainWindow), 40010, MF_BYCOMMAND | MF_STRING, 40010, "Direct");
}

// The substitute host with the plug-in started on these settings.
void StartHost(std::initializer_list<std::pair<const char *, DWORD>> settings)
{
    folder = bench::PrepareHost();
    host::SetSettingDword("Skin", 0);
    for (const auto &[name, value] : settings)
        host::SetSettingDword(name, value);
    host::CreateHostWindows();
    host::LoadPlugin();
    host::Init();
    host::Idle();
    host::PumpFor(300);
}

int RunCase(const Case &c)
{
    StartHost({{"File", c.outputs & FILE_OUT ? 1u : 0u},
               {"Clipboard", c.outputs & CLIPBOARD_OUT ? 1u : 0u},
               {"CaptionText", c.outputs & CAPTION_OUT ? 1u : 0u},
               {"WinAmp", c.outputs & WINAMP_OUT ? 1u : 0u},
               {"Menu", c.outputs & MENU_OUT ? 1u : 0u}});
    winamp = FindWindowA("Winamp v1.x", nullptr);

    Shown tracks[2] = {{"Some Artist", "First Song", {}}, {"Another Artist", "The Second Song", {}}};
    for (Shown &track : tracks)
        track.record = host::BuildTrack({track.name, track.artist});
    int next = 0;
    auto path = [&] {
        constexpr int CHANGES = 20;
        double total = 0;
        for (int i = 0; i < CHANGES; ++i, next ^= 1) {
            if (c.outputs & MENU_OUT)
                ModifyMenuA(GetMenu(host::mainWindow), 40010, MF_BYCOMMAND | MF_STRING, 40010, "-");
            DWORD sequence = GetClipboardSequenceNumber();
            double start = bench::Seconds();
            host::Play(tracks[next].record);
            WaitUntilShown(c.outputs, tracks[next], sequence);
            total += bench::Seconds() - start;
        }
        return total * 1e6 / CHANGES;
    };
    // The first change of a process may find the clipboard still held by
    // Wine's bridge to the X clipboard, busy with the last process's content.
    path();
    auto direct = [&] { return bench::MicrosecondsPerCall([&] { WriteDirectly(c.outputs, tracks[next ^= 1]); }, 20); };
    bench::PrintRow(c.row, bench::CompareRounds(path, direct), "the same calls on the host's thread",
                    "informational");
    return 0;
}

// The line ("{artist} - {title}") and the cover (art of 600 by 600 pixels,
// as the player's store sells it, scaled to nothing but encoded as PNG)
// beside the song file, against the song file alone: each change from the
// "vply" until every file on shows the new track. Each track has art of
// its own, so its picture's size tells that the picture is the new one.
// The player of the older interface sends no art: its picture stays the
// transparent one.
int RunLineAndCover()
{
    host::Picture pictures[2] = {host::Blocks(600, 600), host::Blocks(600, 600)};
    for (size_t i = 0; i < pictures[1].bgra.size(); i += 4)
        pictures[1].bgra[i] ^= 0x80;
    std::vector<uint8_t> art[2] = {host::EncodePicture(pictures[0], host::PICTURE_JPEG),
                                   host::EncodePicture(pictures[1], host::PICTURE_JPEG)};
    StartHost({{"File", 1}, {"Cover", 1}});
    Shown tracks[2] = {{"Some Artist", "First Song", {}}, {"Another Artist", "The Second Song", {}}};
    for (Shown &track : tracks)
        track.record = host::BuildTrack({track.name, track.artist});
    // The plug-in started again on the settings of one side.
    auto configure = [&](bool lineAndCover) {
        host::Clean();
        host::SetSettingDword("Cover", lineAndCover);
        host::SetSettingText("LineFormat", std::wstring(lineAndCover ? L"{artist} - {title}" : L""));
        host::Idle();
    };
    auto shows = [&](int i, bool lineAndCover, DWORD coverSize) {
        const Shown &track = tracks[i];
        return FileSize(folder + "\\CurrentSong.txt") == track.Lines().size() &&
               (!lineAndCover || (FileSize(folder + "\\NowPlaying.txt") == track.Text().size() &&
                                  FileSize(folder + "\\CurrentCover.png") == coverSize));
    };
    // Each track's picture size, once: what the file holds once it settled.
    DWORD coverSizes[2];
    configure(true);
    for (int i = 0; i < 2; ++i) {
        host::coverArt.bytes = art[i];
        host::Play(tracks[i].record);
        host::PumpFor(1500);
        coverSizes[i] = FileSize(folder + "\\CurrentCover.png");
    }
    int next = 0;
    auto round = [&](bool lineAndCover) {
        configure(lineAndCover);
        constexpr int CHANGES = 10;
        double total = 0;
        for (int i = 0; i < CHANGES; ++i, next ^= 1) {
            host::coverArt.bytes = art[next];
            double start = bench::Seconds();
            host::Play(tracks[next].record);
            for (DWORD begun = GetTickCount(); !shows(next, lineAndCover, coverSizes[next]) &&
                                               GetTickCount() - begun < 5000;)
                host::PumpMessages(), SwitchToThread();
            total += bench::Seconds() - start;
        }
        return total * 1e6 / CHANGES;
    };
    bench::Comparison c = bench::CompareRounds([&] { return round(true); }, [&] { return round(false); });
    bench::PrintRow("track change: song file, line and cover", c, "song file alone (line and cover off)",
                    "informational");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && strcmp(argv[1], "line-and-cover") == 0)
        return RunLineAndCover();
    if (argc > 1)
        return RunCase(CASES[atoi(argv[1]) % (sizeof CASES / sizeof CASES[0])]);
    for (size_t i = 0; i < sizeof CASES / sizeof CASES[0]; ++i) {
        fflush(stdout);
        std::string index = std::to_string(i);
        _spawnl(_P_WAIT, argv[0], argv[0], index.c_str(), nullptr);
    }
    fflush(stdout);
    _spawnl(_P_WAIT, argv[0], argv[0], "line-and-cover", nullptr);
    return 0;
}
