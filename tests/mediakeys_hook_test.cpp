// The media-key hook, driven by real input while another window is in front.
#include "harness.h"

using namespace testing_support;

namespace {

std::vector<std::pair<UINT, WPARAM>> otherKeys; // what the window in front received

LRESULT CALLBACK OtherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP)
        otherKeys.push_back({message, wParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

class MediaKeys : public HostTest {
protected:
    HWND other = nullptr;

    void TearDown() override
    {
        if (other)
            DestroyWindow(other);
    }
    void BringOtherWindowToFront()
    {
        other = host::CreateWindowInFront(OtherWindowProc);
        ASSERT_TRUE(host::BringToFront(other));
    }
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
    static bool OtherGot(UINT message, WPARAM key)
    {
        for (const auto &k : otherKeys)
            if (k.first == message && k.second == key)
                return true;
        return false;
    }
    std::vector<host::Logged> AppCommands()
    {
        return host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND});
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

TEST_F(MediaKeys, NothingIsPostedWhileTheHostIsInFront)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    SetForegroundWindow(host::mainWindow);
    ASSERT_TRUE(host::PumpUntil([] { return GetForegroundWindow() == host::mainWindow; }));
    host::ClearLogs();
    ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [] {
        for (const host::Logged &m : host::Select(host::received, host::mainWindow, {WM_KEYUP}))
            if (m.wParam == VK_MEDIA_PLAY_PAUSE)
                return true;
        return false;
    }));
    host::PumpFor(100);
    EXPECT_TRUE(AppCommands().empty());
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

// Unloading with the hook installed: the next keys still flow, nothing is
// posted and the module stays unloaded. (Wine copes with a hook left behind
// too, so this guards the unload path rather than proving the removal.)
TEST_F(MediaKeys, UnloadingTheModuleRemovesTheHook)
{
    StartPlugin({{"Multimedia", 1}, {"Skin", 0}});
    BringOtherWindowToFront();
    // The host window must not call the unloaded procedure either.
    SetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC, LONG_PTR(DefWindowProcA));
    ASSERT_TRUE(FreeLibrary(host::plugin));
    ASSERT_EQ(GetModuleHandleA("Bramblecourt.dll"), nullptr);
    host::ClearLogs();
    ASSERT_TRUE(Tap(VK_MEDIA_PLAY_PAUSE, [] { return OtherGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE); }));
    host::PumpFor(100);
    EXPECT_TRUE(AppCommands().empty());
    EXPECT_EQ(GetModuleHandleA("Bramblecourt.dll"), nullptr);
}

} // namespace
