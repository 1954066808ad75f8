// The media-key hook, driven by real input while another window is in front.
#include "dialog_driver.h"
#include "harness.h"

using namespace testing_support;

namespace {

class MediaKeys : public HostTest {
protected:
    void TearDown() override { host::StopOtherProgram(); }
    static void BringOtherWindowToFront() { ASSERT_NE(host::StartOtherProgram(), nullptr); }
    static void Key(WORD key, bool release) { host::SendKey(key, release); }
    // Presses and releases, then waits until the given window has the release.
    static bool Tap(WORD key, const std::function<bool()> &arrived)
    {
        Key(key, false);
        Key(key, true);
        bool ok = host::PumpUntil(arrived);
        // Anything the hook posted is queued before the key reached the window.
        host::PumpMessages();
        return ok;
    }
    static bool OtherGot(UINT message, WORD key) { return host::OtherProgramGot(message, key) > 0; }
    std::vector<host::Logged> AppCommands()
    {
        return host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND});
    }
    // An end of the hook's thread, then the host's FreeLibrary: the module
    // is gone at once (no thread holds it), nothing posts and no thread is
    // left.
    void EndThenUnload(void (*end)())
    {
        int threads = host::ThreadCount();
        StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
        BringOtherWindowToFront();
        end();
        // The host window must not call the unloaded procedure either.
        if (IsWindow(host::mainWindow))
            SetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC, LONG_PTR(DefWindowProcA));
        ASSERT_TRUE(FreeLibrary(host::plugin));
        EXPECT_EQ(GetModuleHandleA("Bramblecourt.dll"), nullptr) << "a thread still holds the module";
        EXPECT_TRUE(host::WaitForThreadsAtMost(threads)) << host::ThreadCount() << " threads, " << threads << " before";
        host::ClearLogs();
        ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [] { return OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE); }));
        host::PumpFor(100);
        EXPECT_TRUE(AppCommands().empty());
    }
};

TEST_F(MediaKeys, ReleaseOfPlayPauseWithAnotherWindowInFrontPostsOneCommand)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    BringOtherWindowToFront();
    host::ClearLogs();
    ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [] { return OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE); }));
    ASSERT_TRUE(host::PumpUntil([&] { return !AppCommands().empty(); }));
    EXPECT_TRUE(SequenceIs(AppCommands(), {{WM_APPCOMMAND, host::posted | host::wparam | host::lparam, 0,
                                            LPARAM(0x800E0000)}}));
    // The key is not swallowed.
    EXPECT_TRUE(OtherGot(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE));
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_APPCOMMAND}),
                           {{WM_APPCOMMAND, host::posted | host::lparam, 0, LPARAM(0x800E0000)}}));
}

TEST_F(MediaKeys, EachMediaKeyHasItsCommand)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    BringOtherWindowToFront();
    host::ClearLogs();
    const WORD keys[] = {VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK, VK_MEDIA_STOP};
    for (WORD key : keys)
        ASSERT_TRUE(Tap(key, [key] { return OtherGot(WM_KEYUP, key); }));
    ASSERT_TRUE(host::PumpUntil([&] { return AppCommands().size() >= 3; }));
    const unsigned p = host::posted | host::wparam | host::lparam;
    EXPECT_TRUE(SequenceIs(AppCommands(), {{WM_APPCOMMAND, p, 0, LPARAM(0x800B0000)},
                                           {WM_APPCOMMAND, p, 0, LPARAM(0x800C0000)},
                                           {WM_APPCOMMAND, p, 0, LPARAM(0x800D0000)}}));
}

TEST_F(MediaKeys, PressAloneAndKeysBesideTheRangePostNothing)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    BringOtherWindowToFront();
    host::ClearLogs();
    Key(VK_MEDIA_PLAY_PAUSE, false);
    ASSERT_TRUE(host::PumpUntil([] { return OtherGot(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE); }));
    host::PumpFor(100);
    EXPECT_TRUE(AppCommands().empty());

    // 175 is volume up, 180 launches mail.
    ASSERT_TRUE(Tap(VK_VOLUME_UP, [] { return OtherGot(WM_KEYUP, VK_VOLUME_UP); }));
    ASSERT_TRUE(Tap(VK_LAUNCH_MAIL, [] { return OtherGot(WM_KEYUP, VK_LAUNCH_MAIL); }));
    host::PumpFor(100);
    EXPECT_TRUE(AppCommands().empty());

    // The held key's release still counts, once.
    Key(VK_MEDIA_PLAY_PAUSE, true);
    ASSERT_TRUE(host::PumpUntil([&] { return !AppCommands().empty(); }));
    host::PumpFor(100);
    EXPECT_EQ(AppCommands().size(), 1u);
}

// Any window of the player's own process in front has the key from the
// system already: a posted command would make the player act twice.
TEST_F(MediaKeys, NothingIsPostedWhileAWindowOfTheHostIsInFront)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    for (HWND front : {host::mainWindow, host::equalizerWindow}) {
        ASSERT_TRUE(host::BringToFront(front));
        host::ClearLogs();
        ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [front] {
            for (const host::Logged &m : host::Select(host::received, front, {WM_KEYUP}))
                if (m.wParam == VK_MEDIA_PLAY_PAUSE)
                    return true;
            return false;
        }));
        host::PumpFor(100);
        EXPECT_TRUE(AppCommands().empty()) << (front == host::mainWindow ? "main window" : "equalizer");
    }
}

TEST_F(MediaKeys, NoHookWithTheOptionOff)
{
    StartPlugin({{"Multimedia", 0}, {"Skin", 0}});
    BringOtherWindowToFront();
    host::ClearLogs();
    ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [] { return OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE); }));
    host::PumpFor(100);
    EXPECT_TRUE(AppCommands().empty());
}

class MediaKeysWithoutHostWindow : public MediaKeys {
public:
    MediaKeysWithoutHostWindow() { createWindows = false; }
};

// Nothing may be posted to no window: it would become a message to the
// host's own thread.
TEST_F(MediaKeysWithoutHostWindow, PostNothingToTheThread)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    BringOtherWindowToFront();
    Key(VK_MEDIA_PLAY_PAUSE, false);
    Key(VK_MEDIA_PLAY_PAUSE, true);
    int stray = 0;
    DWORD start = GetTickCount();
    while (!OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE) && GetTickCount() - start < 5000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!msg.hwnd && msg.message == WM_APPCOMMAND)
                ++stray;
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ASSERT_TRUE(OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!msg.hwnd && msg.message == WM_APPCOMMAND)
            ++stray;
    EXPECT_EQ(stray, 0);
}

TEST_F(MediaKeys, AfterCleanUpAndUnloadNothingPostsAndNoThreadIsLeft)
{
    EndThenUnload([] { host::Clean(); });
}

TEST_F(MediaKeys, AfterTheHostWindowsEndAndUnloadNothingPostsAndNoThreadIsLeft)
{
    EndThenUnload([] { DestroyWindow(host::mainWindow); });
}

// A busy host, its thread blocked without pumping as in a long library scan:
// another program's keys do not wait for it, and the media key's command
// waits in the host's queue until it pumps again.
TEST_F(MediaKeys, ABusyHostHoldsUpNoKeyAndTakesItsCommandWhenItPumpsAgain)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    ASSERT_EQ(GetForegroundWindow(), host::StartOtherProgram());
    host::ClearLogs();
    std::vector<double> delays = host::TypeWhileHostIsBusy(VK_MEDIA_PLAY_PAUSE, 1, 2000);
    ASSERT_EQ(delays.size(), 1u);
    EXPECT_LT(delays[0], 1000.0) << "the key reached the other program after " << int(delays[0])
                                 << " ms, with the host blocked for 2000 ms";
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, host::mainWindow, WM_APPCOMMAND, WM_APPCOMMAND, PM_NOREMOVE))
        << "not posted during the block";
    EXPECT_TRUE(AppCommands().empty());
    ASSERT_TRUE(host::PumpUntil([&] { return !AppCommands().empty(); }));
    host::PumpFor(100);
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_APPCOMMAND}),
                           {{WM_APPCOMMAND, host::posted | host::lparam, 0, LPARAM(0x800E0000)}}));
    host::StopOtherProgram();
}

// Each click off ends the hook's thread before it returns; fifty rounds of
// off and on leave nothing behind and one hook that answers.
TEST_F(MediaKeys, SwitchingTheOptionOffAndOnLeavesOneHookAndNothingBehind)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        // One round first, for what Wine makes once.
        Click(dialog, MULTIMEDIA);
        Click(dialog, MULTIMEDIA);
        const int threads = host::ThreadCount();
        const DWORD handles = host::CountResources().handles;
        for (int round = 0; round < 50; ++round) {
            Click(dialog, MULTIMEDIA);
            ASSERT_EQ(host::ThreadCount(), threads - 1) << "round " << round;
            Click(dialog, MULTIMEDIA);
        }
        EXPECT_EQ(host::ThreadCount(), threads);
        EXPECT_EQ(host::CountResources().handles, handles);
    }));
    BringOtherWindowToFront();
    host::ClearLogs();
    ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [] { return OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE); }));
    host::PumpFor(100);
    EXPECT_EQ(AppCommands().size(), 1u);
}

// Wine answers 0 to GetProcessHandleCount; the count above must see handles.
TEST(HostCounts, HandlesAreCounted)
{
    DWORD before = host::CountResources().handles;
    HANDLE events[8];
    for (HANDLE &event : events)
        event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(host::CountResources().handles, before + 8);
    for (HANDLE event : events)
        CloseHandle(event);
}

} // namespace
