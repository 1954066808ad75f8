// NowPlaying.txt, the user's format filled from the track, and
// CurrentCover.png, the track's art: written beside the song file and
// following it through tracks, radio songs, stops and readers; the options
// dialog edits the format with a preview.
#include <string>

#include "dialog_driver.h"
#include "nowplaying/lineformat.h"
#include "nowplaying_fixture.h"
#include "pictures.h"
#include "resources/resource.h"

using namespace testing_support;

namespace {

const LineFields TRACK = {L"Artist", L"Song", L"Album", L"Various", L"Rock", L"", 7, 1999, 185999};
const LineFields RADIO = {L"Band", L"Live\r\nSet", L"", L"", L"", L"Radio Paradise", 0, 0, 0};
const LineFields JAPANESE = {L"\u5B87\u591A\u7530", L"\u6A4B", L"", L"", L"", L"", 1, 0, 0};

struct LineCase {
    const wchar_t *format;
    const LineFields &fields;
    const wchar_t *line;
    size_t units;
};

const LineCase LINE_CASES[] = {
    {L"{artist} - {title}", TRACK, L"Artist - Song", 64},
    {L"\u266A {title} by {artist}", TRACK, L"\u266A Song by Artist", 64},
    {L"{album}/{albumartist}/{genre}/{year}/{track}/{length}", TRACK, L"Album/Various/Rock/1999/7/3:05", 64},
    {L"{ARTIST} {Title}", TRACK, L"Artist Song", 64},
    {L"{{artist}} {{{title}}} }{", TRACK, L"{artist} {Song} }{", 64},
    {L"{artsit} - {title} {title", TRACK, L"{artsit} - Song {title", 64},
    {L"[{station}]", TRACK, L"[]", 64},
    {L"{station}: {artist} - {title} {year}{track}{length}", RADIO, L"Radio Paradise: Band - Live  Set ", 64},
    {L"{artist}\u300C{title}\u300D", JAPANESE, L"\u5B87\u591A\u7530\u300C\u6A4B\u300D", 64},
    {L"{title}!", TRACK, L"Song", 5},
    {L"ab\U0001F3B5{title}", TRACK, L"ab", 4},
};

TEST(LineFormat, PlaceholdersFillTheLine)
{
    for (const LineCase &c : LINE_CASES) {
        wchar_t line[64];
        size_t length = FormatLine(c.format, c.fields, line, c.units);
        EXPECT_EQ(std::wstring(line), c.line) << "format index " << (&c - LINE_CASES);
        EXPECT_EQ(length, wcslen(c.line));
    }
}

std::string Utf8(const std::wstring &text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &bytes[0], int(bytes.size()),
                                     nullptr, nullptr));
    return bytes;
}

host::Track JapaneseTrack()
{
    host::Track track;
    track.wide.name = L"\u6A4B";
    track.wide.artist = L"\u5B87\u591A\u7530";
    track.totalMs = 61000;
    return track;
}

class NowPlayingLine : public NowPlayingTest {};

TEST_F(NowPlayingLine, FollowsTracksAndStopsInUtf8WhereTheSongFileIsPublished)
{
    host::SetSettingText("LineFormat", std::wstring(L"\u266A {title} by {artist} ({length})"));
    StartWith({{"File", 1}});
    EXPECT_EQ(host::ReadSettingText("LineFile"), HostFolder() + "\\NowPlaying.txt");
    EXPECT_EQ(host::ReadSettingText("CoverFile"), HostFolder() + "\\CurrentCover.png");
    PlayAndWait(JapaneseTrack());
    EXPECT_EQ(LineFile(), Utf8(L"\u266A \u6A4B by \u5B87\u591A\u7530 (1:01)"));
    StopAndWait();
    EXPECT_EQ(LineFile(), " ");
    PlayAndWait({"Song", "Artist"});
    host::Clean();
    EXPECT_EQ(LineFile(), " ");
}

TEST_F(NowPlayingLine, FollowsARadioStreamsSongs)
{
    host::SetSettingText("LineFormat", std::wstring(L"{station}: {artist} - {title}"));
    StartWith({{"File", 1}});
    host::Track station = {"Radio Bramble", "", "Jazz", 0};
    station.stream.present = true;
    station.stream.title = L"Miles Davis - So What";
    PlayAndWait(station);
    EXPECT_EQ(LineFile(), "Radio Bramble: Miles Davis - So What");
    station.stream.title = L"Dave Brubeck - Take Five";
    host::TrackInfoChanged(station);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
    EXPECT_EQ(LineFile(), "Radio Bramble: Dave Brubeck - Take Five");
}

TEST_F(NowPlayingLine, NotWrittenWithoutAFormatOrWithoutTheFileOption)
{
    StartWith({{"File", 1}});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(LineFile(), "(missing)");
    host::SetSettingText("LineFormat", std::wstring(L"{title}"));
    StartWith({});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(LineFile(), "(missing)");
}

TEST_F(NowPlayingLine, AFormatPastTheLimitIsCutAtAWholeCharacter)
{
    host::SetSettingText("LineFormat", std::wstring(1023, L'x') + L"\U0001F3B5{title}");
    StartWith({{"File", 1}});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(LineFile(), std::string(1023, 'x'));
}

// Only the newest state is written: the line ends as the burst's last
// message says, and the cover with it.
TEST_F(NowPlayingLine, FollowsABurstToItsLastMessage)
{
    host::SetSettingText("LineFormat", std::wstring(L"{artist} - {title}"));
    for (bool endsInStop : {false, true}) {
        SCOPED_TRACE(endsInStop ? "ends in a stop" : "ends in a start");
        StartWith({{"File", 1}, {"Cover", 1}});
        for (int i = 0; i < 200; ++i) {
            host::Stop();
            host::Play(host::BuildTrack({"Name " + std::to_string(i), "Artist"}));
        }
        if (endsInStop)
            host::Stop();
        ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
        EXPECT_EQ(LineFile(), endsInStop ? " " : "Artist - Name 199");
        EXPECT_NE(CoverFile(), "(missing)");
        host::Clean();
    }
}

// A text source polling the file holds it for a moment: the new line waits
// for it, and is not lost.
TEST_F(NowPlayingLine, HeldByAReaderGetsTheNewLineOnceReleased)
{
    host::SetSettingText("LineFormat", std::wstring(L"{title}"));
    StartWith({{"File", 1}, {"CaptionText", 1}});
    PlayAndWait({"Before", "Band"});
    ASSERT_EQ(LineFile(), "Before");
    HANDLE held = CreateFileA((HostFolder() + "\\NowPlaying.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    host::Play(host::BuildTrack({"After", "Band"}));
    // The caption comes after the files were tried.
    bool tried = host::PumpUntil([] { return Caption() == "Band - After - iTunes"; });
    CloseHandle(held);
    EXPECT_TRUE(tried);
    EXPECT_TRUE(host::PumpUntil([] { return LineFile() == "After"; })) << LineFile();
}

// Each keystroke is stored and shown at once: in the preview, and in the
// file; an emptied format deletes the file. The rows fit among the others
// and move nothing sideways.
TEST_F(NowPlayingLine, TheDialogEditsTheFormatWithAPreview)
{
    StartWith({{"File", 1}});
    PlayAndWait(JapaneseTrack());
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        RECT skin, templateLeft = {11, 0, 0, 0};
        GetWindowRect(DialogButton(dialog, SKIN), &skin);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&skin), 2);
        MapDialogRect(dialog, &templateLeft);
        EXPECT_EQ(skin.left, templateLeft.left);
        HWND box = GetDlgItem(dialog, IDC_LINE_FORMAT), preview = GetDlgItem(dialog, IDC_LINE_PREVIEW);
        EXPECT_TRUE(ClearOfTheOthers(dialog, {GetDlgItem(dialog, IDC_LINE_FORMAT_LABEL), box}));
        EXPECT_TRUE(ClearOfTheOthers(dialog, {preview}));
        EXPECT_TRUE(ClearOfTheOthers(dialog, {DialogButton(dialog, COVER)}));
        SetWindowTextW(box, L"{artist}: {title}");
        EXPECT_EQ(WindowTextW(preview), L"\u5B87\u591A\u7530: \u6A4B");
        EXPECT_EQ(host::ReadSettingTextW("LineFormat"), L"{artist}: {title}");
        EXPECT_EQ(LineFile(), Utf8(L"\u5B87\u591A\u7530: \u6A4B"));
        SetWindowTextW(box, L"");
        EXPECT_EQ(host::ReadSettingTextW("LineFormat"), L"(missing)");
        EXPECT_EQ(LineFile(), "(missing)");
    }));
}

// The cover as the player hands it over: a large JPEG scaled down to 1,024
// pixels, a small PNG kept pixel for pixel; no art, and a stop, leave the
// transparent picture. A player of the older interface sends no art.
TEST_F(NowPlayingLine, CoverShowsTheArtScaledDownAndNothingWithoutIt)
{
    struct Case {
        const char *name;
        host::Picture picture;
        host::PictureContainer container;
        UINT side;
    };
    const Case cases[] = {{"large JPEG", host::Blocks(3000, 3000), host::PICTURE_JPEG, 1024},
                          {"small PNG", host::Blocks(48, 32), host::PICTURE_PNG, 48},
                          {"none", {}, host::PICTURE_PNG, 1}};
    // Encoded before the threads are counted: the imaging component keeps
    // threads of its own.
    std::vector<uint8_t> art[3];
    for (size_t i = 0; i < 3; ++i)
        if (cases[i].picture.width)
            art[i] = host::EncodePicture(cases[i].picture, cases[i].container);
    StartWith({{"Cover", 1}});
    auto cover = [] {
        std::string bytes = CoverFile();
        return host::DecodePicture(bytes.data(), bytes.size());
    };
    auto transparent = [&] {
        host::Picture shown = cover();
        return shown.width == 1 && shown.height == 1 && shown.bgra[3] == 0;
    };
    // No SCOPED_TRACE: its first use starts a thread of the test framework's.
    for (const Case &c : cases) {
        host::coverArt.bytes = art[&c - cases];
        host::coverArt.format = c.container;
        PlayAndWait({c.name, "Artist"});
        if (!host::SpeaksInterface2() || !c.picture.width) {
            EXPECT_TRUE(transparent()) << c.name;
            continue;
        }
        EXPECT_TRUE(host::PumpUntil([&] { return cover().width == c.side; }, 30000)) << c.name << cover().width;
        host::Picture shown = cover();
        EXPECT_EQ(shown.height, c.side * c.picture.height / c.picture.width) << c.name;
        if (c.container == host::PICTURE_PNG) {
            EXPECT_EQ(host::LargestDifference(shown, c.picture), 0) << c.name;
        }
    }
    StopAndWait();
    EXPECT_TRUE(transparent());
}

} // namespace
namespace {

// Tracks in quick turn, each with art of its own: the picture is always the
// track's own. (The worker freed each art's bytes twice, and the next art
// then read bytes of another allocation.)
TEST_F(NowPlayingLine, CoverFollowsTracksInQuickTurn)
{
    if (!host::SpeaksInterface2())
        GTEST_SKIP() << "the older interface sends no art";
    // Covers as the player's store sells them, and the other outputs on:
    // with less the freed bytes happened not to be reused in time.
    host::Picture pictures[2] = {host::Blocks(600, 600), host::Blocks(600, 600)};
    for (size_t i = 0; i < pictures[1].bgra.size(); i += 4)
        pictures[1].bgra[i] ^= 0x80;
    std::vector<uint8_t> art[2] = {host::EncodePicture(pictures[0], host::PICTURE_JPEG),
                                   host::EncodePicture(pictures[1], host::PICTURE_JPEG)};
    host::SetSettingText("LineFormat", std::wstring(L"{artist} - {title}"));
    StartWith({{"Cover", 1}, {"File", 1}});
    host::coverArt.format = host::PICTURE_JPEG;
    std::vector<uint8_t> records[2] = {host::BuildTrack({"First Song", "Some Artist"}),
                                       host::BuildTrack({"The Second Song", "Another Artist"})};
    for (int i = 0; i < 8; ++i) {
        host::coverArt.bytes = art[i & 1];
        host::Play(records[i & 1]);
        EXPECT_TRUE(host::PumpUntil([&] {
            std::string bytes = CoverFile();
            host::Picture shown = host::DecodePicture(bytes.data(), bytes.size());
            return shown.width == 600 && host::LargestDifference(shown, pictures[i & 1]) <= 12;
        })) << "track " << i;
    }
}

} // namespace
