// A long listening session in one process: thousands of track changes with
// every output on, resizes across the mini-player boundary, hover and click
// storms on the bar, the options flipped back and forth, other programs'
// windows registering and vanishing. At the end the outputs describe the
// last track and the process holds what it held after start-up.
#include <cstdio>

#include "harness.h"

using namespace testing_support;

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int *>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

// USER objects: Wine's GetGuiResources answers 0, so count this process's
// windows, top level and children, which is what the module creates.
int CountWindows()
{
    int count = 0;
    EnumWindows(CountWindow, LPARAM(&count));
    return count;
}

struct Counts {
    DWORD handles;
    DWORD gdi;
    int windows;
};

Counts Measure()
{
    host::PumpFor(50);
    return {host::CountResources().handles, host::CountGdiObjects(), CountWindows()};
}

// Flips the options inside the modal dialog: found once it exists, each
// check box clicked twice, then closed with Escape's command.
const char *const FLIPPED_BOXES[] = {
    "Skin the titlebar",
    "Copy the current song name to the clipboard when you start playing a song",
    "Make programs recognize iTunes as WinAmp",
    "Create a file in the iTunes folder for the current track information",
    "Change the caption of the iTunes window to \"Artist - Song - iTunes\"",
    "Make Multimedia keys work when the iTunes window is not active",
};
int dialogRounds;

void CALLBACK DriveOptionsDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA(nullptr, "Plugin Options");
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    for (const char *text : FLIPPED_BOXES)
        if (HWND box = FindWindowExA(dialog, nullptr, "Button", text)) {
            SendMessageA(box, BM_CLICK, 0, 0);
            SendMessageA(box, BM_CLICK, 0, 0);
        }
    for (const char *text : {"Never ", "Only when iTunes is in full mode", "Always "})
        if (HWND radio = FindWindowExA(dialog, nullptr, "Button", text))
            SendMessageA(radio, BM_CLICK, 0, 0);
    ++dialogRounds;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// 24 windows of "other programs" register, hear a track start, vanish; the
// stop that follows finds every slot stale and clears it.
template <typename Drain> void RegisterPeersAndLetThemVanish(const std::vector<uint8_t> &track, Drain drain)
{
    HWND peers[24];
    for (int slot = 0; slot < 24; ++slot) {
        peers[slot] = CreateWindowExA(0, "Static", "peer", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        char name[32];
        snprintf(name, sizeof name, "RegisteredWindow%d", slot + 1);
        SetPropA(host::mainWindow, name, peers[slot]);
    }
    host::Play(track);
    drain();
    for (HWND peer : peers)
        DestroyWindow(peer);
    host::Stop();
    drain();
}

class Soak : public HostTest {};

TEST_F(Soak, ALongListeningSessionLeavesNothingBehind)
{
    StartPlugin({{"File", 1}, {"Clipboard", 1}, {"CaptionText", 1}, {"WinAmp", 1}, {"Menu", 1}, {"Skin", 1},
                 {"Multimedia", 1}});
    const int threads = host::ThreadCount();
    const std::vector<uint8_t> tracks[3] = {
        host::BuildTrack({"Yellow Submarine", "The Beatles", "Revolver", 6, 1966, 160000}),
        host::BuildTrack({"\xF9\xE9\xF8 \xEC\xF9\xEC\xE5\xED", "\xEC\xE4\xF7\xE4", "", 3, 1990, 200000}),
        host::BuildTrack({"Intro", "", "", 0, 0, 1000}),
    };
    auto drain = [&] { ASSERT_TRUE(host::WaitForThreadsAtMost(threads, 20000)); };

    // A few rounds of everything the session does, so the objects Wine and
    // the module make once, lazily, exist before the baseline.
    for (int i = 0; i < 3; ++i) {
        host::Play(tracks[i]);
        host::Stop();
        drain();
        host::ResizeMain(640, 60);
        host::ResizeMain(640, 420);
        RegisterPeersAndLetThemVanish(tracks[i], drain);
    }
    SetTimer(nullptr, 0, 20, DriveOptionsDialog);
    SendMessageA(host::mainWindow, WM_COMMAND, 40007, 0);
    ASSERT_EQ(dialogRounds, 1) << "the options dialog did not open";
    host::PumpFor(500);
    const Counts before = Measure();

    RECT rect;
    GetWindowRect(host::mainWindow, &rect);
    // The whole session, in two equal halves.
    auto session = [&] {
        for (int i = 0; i < 5000; ++i) {
            host::Play(tracks[i % 3]);
            host::Stop();
            if (i % 100 == 99)
                drain();
        }
        drain();

        for (int i = 0; i < 500; ++i) {
            host::ResizeMain(640 + i % 7, i % 2 ? 420 : 60 + i % 10);
            host::PumpMessages();
        }
        host::ResizeMain(640, 420);

        for (int i = 0; i < 1000; ++i) {
            // Over the close button, then away; a press inside a button
            // released far below the bar, which only passes the release on.
            SetCursorPos(rect.left + 14, rect.top + 20 + 12);
            SendMessageA(host::mainWindow, WM_MOUSEMOVE, 0, 0);
            SendMessageA(host::mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SetCursorPos(rect.left + 300, rect.top + 300);
            SendMessageA(host::mainWindow, WM_MOUSEMOVE, MK_LBUTTON, 0);
            SendMessageA(host::mainWindow, WM_LBUTTONUP, 0, 0);
            if (i % 100 == 0)
                host::PumpMessages();
        }

        for (int round = 0; round < 10; ++round) {
            SetTimer(nullptr, 0, 20, DriveOptionsDialog);
            SendMessageA(host::mainWindow, WM_COMMAND, 40007, 0);
        }
        host::PumpFor(500); // the taskbar choices re-show the window after 400 ms

        for (int round = 0; round < 25; ++round)
            RegisterPeersAndLetThemVanish(tracks[round % 3], drain);
    };
    session();
    const Counts half = Measure();
    session();
    EXPECT_EQ(dialogRounds, 21);

    host::Play(tracks[0]);
    drain();
    host::PumpMessages();
    EXPECT_EQ(FileBytes(HostFolder() + "\\CurrentSong.txt"), "The Beatles\r\nYellow Submarine\r\nRevolver\r\n6\r\n1966");
    EXPECT_EQ(WindowText(host::mainWindow), "The Beatles - Yellow Submarine - iTunes");
    EXPECT_EQ(WindowText(FindWindowA("Winamp v1.x", nullptr)), "6. The Beatles - Yellow Submarine - Winamp");
    EXPECT_EQ(SendMessageA(host::mainWindow, 29872, 0, 0), 1);
    for (int slot = 1; slot <= 24; ++slot) {
        char name[32];
        snprintf(name, sizeof name, "RegisteredWindow%d", slot);
        EXPECT_EQ(GetPropA(host::mainWindow, name), nullptr) << name << " was not cleared";
    }

    // Handles and windows against start-up, with a handful of handles for
    // Wine's bookkeeping. Wine's cache of window DCs (a DC and a region each)
    // fills once, by about fifty, when a dialog first paints under load, at a
    // moment that varies from run to run; so GDI objects are held to the
    // second half of the session: a leak grows with every track, resize,
    // click, dialog or peer, a filled cache does not.
    const Counts after = Measure();
    EXPECT_LE(after.handles, before.handles + 8) << "handles " << before.handles << " -> " << after.handles;
    EXPECT_LE(after.gdi, half.gdi + 4) << "GDI objects " << before.gdi << " -> " << half.gdi << " -> " << after.gdi;
    EXPECT_LE(after.windows, before.windows) << "windows " << before.windows << " -> " << after.windows;
}

} // namespace
