// What the options dialog's check boxes switch at once on the host: the
// skin's bars, the title offset, the Winamp window, the song file and the
// caption.
#include "dialog_driver.h"
#include "nowplaying_fixture.h"

using namespace testing_support;

namespace {

// The skin's painted children of the main window, by their texts.
HWND FullBarWindow()
{
    return FindWindowExA(host::mainWindow, nullptr, "Button", "Background");
}

HWND MiniStripWindow()
{
    return FindWindowExA(host::mainWindow, nullptr, "Button", "MiniBack");
}

int FullBarTop()
{
    RECT bar;
    GetWindowRect(FullBarWindow(), &bar);
    RECT main;
    GetWindowRect(host::mainWindow, &main);
    return bar.top - main.top;
}

bool WinampClassRegistered()
{
    WNDCLASSA wc;
    return GetClassInfoA(GetModuleHandleA("Bramblecourt.dll"), "Winamp v1.x", &wc) != 0;
}

class OptionsFeatures : public NowPlayingTest {};

TEST_F(OptionsFeatures, SkinOffAndOnDestroysAndMakesTheBarAndTheOffsetBoxFollows)
{
    StartWith({{"Skin", 1}, {"Offset", 0}});
    ASSERT_NE(FullBarWindow(), nullptr);
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, SKIN);
        EXPECT_EQ(FullBarWindow(), nullptr);
        EXPECT_FALSE(IsWindowVisible(DialogButton(dialog, DONT_OFFSET)));
        Click(dialog, SKIN);
        EXPECT_NE(FullBarWindow(), nullptr);
        EXPECT_EQ(FullBarTop(), 0);
        host::PumpMessages();
        EXPECT_TRUE(IsWindowVisible(DialogButton(dialog, DONT_OFFSET)));
        EXPECT_EQ(CheckState(dialog, DONT_OFFSET), BST_CHECKED);
    }));
}

TEST_F(OptionsFeatures, SkinOnAtSeventyPixelsMakesTheMiniStrip)
{
    StartWith({{"Skin", 0}});
    host::ResizeMain(300, 70);
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, SKIN);
        EXPECT_NE(MiniStripWindow(), nullptr);
        EXPECT_EQ(FullBarWindow(), nullptr);
    }));
}

TEST_F(OptionsFeatures, TheOffsetBoxMovesTheBar)
{
    StartWith({{"Skin", 1}, {"Offset", 1}});
    ASSERT_EQ(FullBarTop(), 20);
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, DONT_OFFSET);
        EXPECT_EQ(FullBarTop(), 0);
        Click(dialog, DONT_OFFSET);
        EXPECT_EQ(FullBarTop(), 20);
    }));
}

TEST_F(OptionsFeatures, WinampWindowIsDestroyedAndMadeWithTheCurrentTitle)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_EQ(WinampTitle(), "Winamp 5.01");
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, WINAMP);
        EXPECT_EQ(WinampTitle(), "(no window)");
        EXPECT_FALSE(WinampClassRegistered());
        Click(dialog, WINAMP);
        EXPECT_EQ(WinampTitle(), "Winamp 5.01") << "nothing played yet";
    }));
    PlayAndWait({"Yellow Submarine", "The Beatles", "Revolver", 6});
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, WINAMP);
        Click(dialog, WINAMP);
        EXPECT_EQ(WinampTitle(), "1. The Beatles - Yellow Submarine - Winamp");
    }));
}

TEST_F(OptionsFeatures, FileOffDeletesTheSongFileAndCaptionOffRestoresTheCaption)
{
    StartWith({{"File", 1}, {"CaptionText", 1}});
    PlayAndWait({"Yellow Submarine", "The Beatles", "Revolver", 6});
    ASSERT_NE(SongFile(), "(missing)");
    ASSERT_NE(Utf8SongFile(), "(missing)");
    ASSERT_NE(Caption(), "iTunes");
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, FILE_BOX);
        EXPECT_EQ(SongFile(), "(missing)");
        EXPECT_EQ(Utf8SongFile(), "(missing)");
        Click(dialog, FILE_BOX);
        EXPECT_EQ(SongFile(), "(missing)") << "written at the next track start";
        Click(dialog, CAPTION);
        EXPECT_EQ(Caption(), "iTunes");
    }));
}

TEST_F(OptionsFeatures, MultimediaBoxInstallsAndRemovesTheHook)
{
    StartWith({});
    HWND other = host::StartOtherProgram();
    ASSERT_NE(other, nullptr);
    auto tapReachesHost = [&]() {
        SetForegroundWindow(other);
        host::PumpUntil([&] { return GetForegroundWindow() == other; });
        host::ClearLogs();
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = VK_MEDIA_NEXT_TRACK;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof input[0]);
        return host::PumpUntil(
            [] { return !host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND}).empty(); }, 1000);
    };
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        Click(dialog, MULTIMEDIA);
        EXPECT_TRUE(tapReachesHost());
        Click(dialog, MULTIMEDIA);
        EXPECT_FALSE(tapReachesHost());
    }));
    host::StopOtherProgram();
}

} // namespace
