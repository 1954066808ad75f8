// Windows' media controls, against the stand-in (Wine has none): the
// session of the host main window, what it shows for each message, its
// buttons, its share of the media keys, the option, and clean-up.
#include <cstdio>
#include <cstring>
#include <iterator>
#include <cwchar>

#include "dialog_driver.h"
#include "harness.h"
#include "mediacontrols/winrt.h"

using namespace testing_support;

namespace {

enum Button { PLAY = 0, PAUSE = 1, STOP = 2, RECORD = 3, FAST_FORWARD = 4, NEXT = 6, PREVIOUS = 7 };

std::vector<std::wstring> CallsStartingWith(const std::wstring &prefix)
{
    std::vector<std::wstring> found;
    for (const std::wstring &call : host::MediaControlsCalls())
        if (call.compare(0, prefix.size(), prefix) == 0)
            found.push_back(call);
    return found;
}

std::wstring Last(const std::wstring &prefix)
{
    std::vector<std::wstring> found = CallsStartingWith(prefix);
    return found.empty() ? L"(none)" : found.back();
}

std::wstring GetForWindowOf(HWND window)
{
    wchar_t text[32];
    swprintf(text, 32, L"%p", static_cast<void *>(window));
    return std::wstring(L"GetForWindow ") + text;
}

std::vector<host::Logged> AppCommands()
{
    host::PumpMessages();
    return host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND});
}

DWORD Stored(const char *name)
{
    DWORD value = 99;
    host::ReadSettingDword(name, &value);
    return value;
}

const host::Track SONG = {"Song", "Artist", "Rock", 3, 2004, 200000, 0, "Album"};
const host::Track OTHER_SONG = {"Other Song", "Other Artist", "Pop", 7, 2010, 100000, 0, "Other Album"};
const wchar_t SONG_SHOWN[] = L"Update title=Song artist=Artist albumArtist= album=Album track=3 thumbnail=none";

// A picture as the player may hand it over: a 24-bit BMP.
std::vector<uint8_t> Bmp(LONG width, LONG height)
{
    DWORD stride = (DWORD(width) * 3 + 3) & ~3u, headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::vector<uint8_t> bytes(headers + stride * DWORD(height), 0x80);
    BITMAPFILEHEADER file = {0x4D42, DWORD(bytes.size()), 0, 0, headers};
    BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB};
    memcpy(&bytes[0], &file, sizeof file);
    memcpy(&bytes[sizeof file], &info, sizeof info);
    return bytes;
}

constexpr uint32_t BMP_FORMAT = 27;

host::Track Station(const std::wstring &title)
{
    host::Track track = {"Radio Bramble", "", "Jazz", 0};
    track.stream.present = true;
    track.stream.title = title;
    return track;
}

class MediaControls : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host::RegisterMediaControlsStandIn(true);
        host::ClearMediaControlsCalls();
    }
    void TearDown() override
    {
        host::RegisterMediaControlsStandIn(false);
        host::StopOtherProgram();
    }
    static bool Shows(const std::wstring &status, const std::wstring &update)
    {
        return host::PumpUntil([&] { return Last(L"PlaybackStatus") == status && Last(L"Update") == update; });
    }
};

// Only the newer interface's player hands over cover art and the album
// artist.
class MediaControlsOfNewerPlayer : public MediaControls {
protected:
    MediaControlsOfNewerPlayer() { host::hostInterface = host::INTERFACE_2_0; }
    void TearDown() override
    {
        host::coverArt = {};
        MediaControls::TearDown();
    }
};

TEST_F(MediaControls, StartUpMakesTheMainWindowsSessionWithItsButtons)
{
    StartPlugin({{"Skin", 0}});
    EXPECT_EQ(host::MediaControlsCalls(),
              (std::vector<std::wstring>{GetForWindowOf(host::mainWindow), L"IsPlayEnabled 1", L"IsPauseEnabled 1",
                                         L"IsStopEnabled 1", L"IsNextEnabled 1", L"IsPreviousEnabled 1",
                                         L"add_ButtonPressed", L"PlaybackStatus 2", L"IsEnabled 1"}));
    EXPECT_EQ(host::MediaControlsHandlers(), 1);
}

struct MessageCase {
    const char *name;
    void (*act)();
    const wchar_t *status;
    const wchar_t *update;
};

class MediaControlsMessages : public MediaControlsOfNewerPlayer, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MediaControlsMessages, ShowStatusTextsAndThumbnail)
{
    StartPlugin({{"Skin", 0}});
    GetParam().act();
    EXPECT_TRUE(Shows(GetParam().status, GetParam().update))
        << "status: " << testing::PrintToString(Last(L"PlaybackStatus"))
        << "\ndisplay: " << testing::PrintToString(Last(L"Update"));
}

// The art is scaled down to 512 pixels on its longer side.
void PlayWithArt(const host::Track &track)
{
    host::coverArt = {Bmp(1024, 768), BMP_FORMAT};
    host::Play(track);
}

const wchar_t SONG_WITH_ART[] =
    L"Update title=Song artist=Artist albumArtist=The Band album=Album track=3 thumbnail=512x384";

host::Track SongOfTheBand()
{
    host::Track song = SONG;
    song.albumArtist = L"The Band";
    return song;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MediaControlsMessages,
    ::testing::Values(MessageCase{"Start", [] { PlayWithArt(SongOfTheBand()); }, L"PlaybackStatus 3", SONG_WITH_ART},
                      MessageCase{"Pause",
                                  [] {
                                      PlayWithArt(SongOfTheBand());
                                      host::Stop();
                                  },
                                  L"PlaybackStatus 4", SONG_WITH_ART},
                      MessageCase{"StreamsNewSong",
                                  [] {
                                      host::Play(Station(L"Miles Davis - So What"));
                                      host::TrackInfoChanged(Station(L"Take Five"));
                                  },
                                  L"PlaybackStatus 3",
                                  L"Update title=Take Five artist=Radio Bramble albumArtist= album=Radio Bramble "
                                  L"track=0 thumbnail=none"},
                      MessageCase{"TrackWithoutArt",
                                  [] {
                                      PlayWithArt(SongOfTheBand());
                                      host::PumpUntil([] { return Last(L"Update") == SONG_WITH_ART; });
                                      host::coverArt = {};
                                      host::Play(OTHER_SONG);
                                  },
                                  L"PlaybackStatus 3",
                                  L"Update title=Other Song artist=Other Artist albumArtist= album=Other Album track=7 "
                                  L"thumbnail=none"}),
    [](const ::testing::TestParamInfo<MessageCase> &info) { return std::string(info.param.name); });

// A file that does not open within two seconds leaves the track without its
// art, and the session goes on.
TEST_F(MediaControlsOfNewerPlayer, ArtWhoseFileNeverOpensIsLeftOut)
{
    StartPlugin({{"Skin", 0}});
    host::HoldMediaControlsFiles(true);
    PlayWithArt(SONG);
    ASSERT_TRUE(host::PumpUntil([] { return Last(L"GetFileFromPathAsync") != L"(none)"; }));
    size_t updates = CallsStartingWith(L"Update").size();
    EXPECT_TRUE(host::PumpUntil([&] { return CallsStartingWith(L"Update").size() > updates; }));
    EXPECT_EQ(Last(L"Update"), SONG_SHOWN);
    host::HoldMediaControlsFiles(false);
    host::Play(OTHER_SONG);
    EXPECT_TRUE(Shows(L"PlaybackStatus 3",
                      L"Update title=Other Song artist=Other Artist albumArtist= album=Other Album track=7 "
                      L"thumbnail=512x384"));
}

// Pause, set position and resume change the status and the timeline, and
// only another track changes the display.
TEST_F(MediaControls, TheDisplayIsUpdatedOnlyWhenItChanges)
{
    StartPlugin({{"Skin", 0}});
    host::Play(SONG);
    ASSERT_TRUE(Shows(L"PlaybackStatus 3", SONG_SHOWN));
    host::Stop();
    ASSERT_TRUE(host::PumpUntil([] { return Last(L"PlaybackStatus") == L"PlaybackStatus 4"; }));
    host::SetPosition(60000);
    EXPECT_TRUE(host::PumpUntil([] {
        return Last(L"Timeline") == L"Timeline start=0 end=200000 minSeek=0 maxSeek=200000 position=60000";
    })) << testing::PrintToString(Last(L"Timeline"));
    host::Play(SONG);
    ASSERT_TRUE(host::PumpUntil([] { return Last(L"PlaybackStatus") == L"PlaybackStatus 3"; }));
    EXPECT_EQ(CallsStartingWith(L"Update").size(), 1u);
    EXPECT_EQ(CallsStartingWith(L"Timeline").size(), 4u) << "start, stop, set position, start";

    host::Play(OTHER_SONG);
    EXPECT_TRUE(Shows(L"PlaybackStatus 3",
                      L"Update title=Other Song artist=Other Artist albumArtist= album=Other Album track=7 "
                      L"thumbnail=none"));
    EXPECT_EQ(CallsStartingWith(L"Update").size(), 2u);
}

TEST_F(MediaControls, EachButtonPostsItsCommandOnce)
{
    StartPlugin({{"Skin", 0}});
    host::ClearLogs();
    for (Button button : {PLAY, PAUSE, STOP, NEXT, PREVIOUS, RECORD, FAST_FORWARD})
        host::PressMediaControlsButton(button);
    const unsigned p = host::posted | host::wparam | host::lparam;
    EXPECT_TRUE(SequenceIs(AppCommands(), {{WM_APPCOMMAND, p, 0, LPARAM(0x800E0000)},
                                           {WM_APPCOMMAND, p, 0, LPARAM(0x800E0000)},
                                           {WM_APPCOMMAND, p, 0, LPARAM(0x800D0000)},
                                           {WM_APPCOMMAND, p, 0, LPARAM(0x800B0000)},
                                           {WM_APPCOMMAND, p, 0, LPARAM(0x800C0000)}}));
}

// One path per key: the hook while no session is live (the class missing,
// the option off), Windows' routing to the session while one is.
struct KeyCase {
    const char *name;
    bool registered;
    DWORD option;
    size_t postedByHook;
};

class MediaControlsKeys : public MediaControls, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MediaControlsKeys, AKeyActsOnce)
{
    const KeyCase &c = GetParam();
    host::RegisterMediaControlsStandIn(c.registered);
    StartPlugin({{"Skin", 0}, {"Multimedia", 1}, {"MediaControls", c.option}});
    ASSERT_NE(host::StartOtherProgram(), nullptr);
    host::ClearLogs();
    host::SendKey(VK_MEDIA_PLAY_PAUSE, false);
    host::SendKey(VK_MEDIA_PLAY_PAUSE, true);
    ASSERT_TRUE(host::PumpUntil([] { return host::OtherProgramGot(WM_KEYUP, VK_MEDIA_PLAY_PAUSE) > 0; }));
    host::PumpFor(100);
    EXPECT_EQ(AppCommands().size(), c.postedByHook);
    if (c.registered && c.option) {
        host::PressMediaControlsButton(PAUSE);
        EXPECT_EQ(AppCommands().size(), 1u);
    } else {
        EXPECT_TRUE(host::MediaControlsCalls().empty()) << "a session without the class or the option";
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, MediaControlsKeys,
                         ::testing::Values(KeyCase{"SessionLive", true, 1, 0}, KeyCase{"ClassMissing", false, 1, 1},
                                           KeyCase{"OptionOff", true, 0, 1}),
                         [](const ::testing::TestParamInfo<KeyCase> &info) { return std::string(info.param.name); });

// Switched off, the session closes at once; switched on while a track
// plays, a new one shows it. The box sits under the multimedia keys' box.
TEST_F(MediaControls, TheOptionEndsAndStartsTheSession)
{
    StartPlugin({{"Skin", 0}});
    host::Play(SONG);
    ASSERT_TRUE(Shows(L"PlaybackStatus 3", SONG_SHOWN));
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        HWND box = DialogButton(dialog, MEDIA_CONTROLS), above = DialogButton(dialog, MULTIMEDIA);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(CheckState(dialog, MEDIA_CONTROLS), BST_CHECKED);
        RECT r, a;
        GetWindowRect(box, &r);
        GetWindowRect(above, &a);
        EXPECT_EQ(r.top, a.bottom);
        EXPECT_EQ(r.left, a.left);
        EXPECT_TRUE(ClearOfTheOthers(dialog, {box}));

        host::ClearMediaControlsCalls();
        Click(dialog, MEDIA_CONTROLS);
        EXPECT_EQ(Stored("MediaControls"), 0u);
        EXPECT_EQ(host::MediaControlsCalls(),
                  (std::vector<std::wstring>{L"remove_ButtonPressed", L"PlaybackStatus 0", L"IsEnabled 0"}));
        EXPECT_EQ(host::MediaControlsHandlers(), 0);

        host::ClearMediaControlsCalls();
        Click(dialog, MEDIA_CONTROLS);
        EXPECT_EQ(Stored("MediaControls"), 1u);
        EXPECT_EQ(host::MediaControlsHandlers(), 1);
        EXPECT_TRUE(Shows(L"PlaybackStatus 3", SONG_SHOWN));
    }));
}

// Without the controls' class (Windows 7 and 8, Wine) nothing of the
// runtime is asked for, and play goes on as before.
TEST_F(MediaControls, QuietlyOffWhenTheClassIsMissing)
{
    host::RegisterMediaControlsStandIn(true, false);
    int threads = host::ThreadCount();
    StartPlugin({{"Skin", 0}, {"CaptionText", 1}});
    host::Play(SONG);
    EXPECT_TRUE(host::PumpUntil([] { return WindowText(host::mainWindow) == "Artist - Song - iTunes"; }));
    host::SetPosition(1000);
    EXPECT_TRUE(host::WaitForThreadsAtMost(threads));
    EXPECT_TRUE(host::MediaControlsCalls().empty());
    EXPECT_EQ(host::MediaControlsObjects(), 0);
}

// "clr " closes the session and lets go of every object and handler, the
// art's file goes, the module unloads, and a new load in the same process
// starts a new session.
TEST_F(MediaControlsOfNewerPlayer, CleanUpLeavesNothingAndAReloadStartsAfresh)
{
    for (int load = 1; load <= 2; ++load) {
        SCOPED_TRACE(load);
        if (load > 1) {
            ASSERT_TRUE(host::LoadPlugin());
            host::Init();
        }
        host::ClearMediaControlsCalls();
        StartPlugin({{"Skin", 0}});
        EXPECT_EQ(host::MediaControlsHandlers(), 1);
        PlayWithArt(SongOfTheBand());
        ASSERT_TRUE(Shows(L"PlaybackStatus 3", SONG_WITH_ART));
        std::wstring art = Last(L"CreateFromFile ").substr(wcslen(L"CreateFromFile "));
        EXPECT_NE(GetFileAttributesW(art.c_str()), INVALID_FILE_ATTRIBUTES);

        host::Clean();
        EXPECT_EQ(Last(L"PlaybackStatus"), L"PlaybackStatus 0");
        EXPECT_EQ(Last(L"IsEnabled"), L"IsEnabled 0");
        EXPECT_EQ(host::MediaControlsHandlers(), 0);
        EXPECT_EQ(host::MediaControlsObjects(), 0);
        EXPECT_EQ(GetFileAttributesW(art.c_str()), INVALID_FILE_ATTRIBUTES) << "the art's file is left";
        host::ClearLogs();
        host::PressMediaControlsButton(PAUSE);
        EXPECT_TRUE(AppCommands().empty());
        ASSERT_TRUE(FreeLibrary(host::plugin));
        EXPECT_TRUE(host::PumpUntil([] { return !GetModuleHandleA("Bramblecourt.dll"); })) << "still mapped";
    }
}

// The stand-in shares the module's hand-made declarations, so it cannot see
// a method missing from them: each called method's place in its table, as
// Microsoft's metadata orders the interface (IUnknown 0-2, IInspectable 3-5).
template <typename Member> size_t Slot(Member member)
{
    struct {
        uintptr_t offsetPlusOne; // the member pointer of a virtual method
        ptrdiff_t adjustment;
    } raw;
    static_assert(sizeof member == sizeof raw, "a member pointer of the x86 ABI");
    memcpy(&raw, &member, sizeof raw);
    return (raw.offsetPlusOne - 1) / sizeof(void *);
}

TEST(MediaControlsInterfaces, EachMethodHasItsPlace)
{
    using namespace mediacontrols;
    const std::pair<size_t, size_t> places[] = {
        {Slot(&ISystemMediaTransportControlsInterop::GetForWindow), 6},
        {Slot(&ISystemMediaTransportControls::put_PlaybackStatus), 7},
        {Slot(&ISystemMediaTransportControls::get_DisplayUpdater), 8},
        {Slot(&ISystemMediaTransportControls::put_IsEnabled), 11},
        {Slot(&ISystemMediaTransportControls::put_IsPlayEnabled), 13},
        {Slot(&ISystemMediaTransportControls::put_IsStopEnabled), 15},
        {Slot(&ISystemMediaTransportControls::put_IsPauseEnabled), 17},
        {Slot(&ISystemMediaTransportControls::put_IsPreviousEnabled), 25},
        {Slot(&ISystemMediaTransportControls::put_IsNextEnabled), 27},
        {Slot(&ISystemMediaTransportControls::add_ButtonPressed), 32},
        {Slot(&ISystemMediaTransportControls::remove_ButtonPressed), 33},
        {Slot(&ISystemMediaTransportControls2::UpdateTimelineProperties), 12},
        {Slot(&ISystemMediaTransportControlsDisplayUpdater::put_Type), 7},
        {Slot(&ISystemMediaTransportControlsDisplayUpdater::put_Thumbnail), 11},
        {Slot(&ISystemMediaTransportControlsDisplayUpdater::get_MusicProperties), 12},
        {Slot(&ISystemMediaTransportControlsDisplayUpdater::Update), 17},
        {Slot(&IMusicDisplayProperties::put_Title), 7},
        {Slot(&IMusicDisplayProperties::put_AlbumArtist), 9},
        {Slot(&IMusicDisplayProperties::put_Artist), 11},
        {Slot(&IMusicDisplayProperties2::put_AlbumTitle), 7},
        {Slot(&IMusicDisplayProperties2::put_TrackNumber), 9},
        {Slot(&ISystemMediaTransportControlsTimelineProperties::put_StartTime), 7},
        {Slot(&ISystemMediaTransportControlsTimelineProperties::put_EndTime), 9},
        {Slot(&ISystemMediaTransportControlsTimelineProperties::put_MinSeekTime), 11},
        {Slot(&ISystemMediaTransportControlsTimelineProperties::put_MaxSeekTime), 13},
        {Slot(&ISystemMediaTransportControlsTimelineProperties::put_Position), 15},
        {Slot(&ISystemMediaTransportControlsButtonPressedEventArgs::get_Button), 6},
        {Slot(&IButtonPressedHandler::Invoke), 3},
        {Slot(&IStorageFileStatics::GetFileFromPathAsync), 6},
        {Slot(&IStorageFileOperation::put_Completed), 6},
        {Slot(&IStorageFileOperation::GetResults), 8},
        {Slot(&IStorageFileOperationHandler::Invoke), 3},
        {Slot(&IRandomAccessStreamReferenceStatics::CreateFromFile), 6},
    };
    for (size_t i = 0; i < std::size(places); ++i)
        EXPECT_EQ(places[i].first, places[i].second) << "row " << i;
}

} // namespace
