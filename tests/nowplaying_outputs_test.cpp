// The now-playing outputs: the song file, the clipboard, the caption and the
// Winamp window's titles, read after the workers' last output.
#include <cstring>

#include "nowplaying/lyricsquery.h"
#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

class NowPlayingOutputs : public NowPlayingTest {};

TEST_F(NowPlayingOutputs, SongFileHasFiveLinesWhilePlayingAndOneSpaceAfterAStop)
{
    StartWith({{"File", 1}});
    PlayAndWait({"Yellow Submarine", "The Beatles", "Revolver", 6, 1966, 160000});
    EXPECT_EQ(SongFile(), "The Beatles\r\nYellow Submarine\r\nRevolver\r\n6\r\n1966");
    StopAndWait();
    EXPECT_EQ(SongFile(), " ");
    PlayAndWait({"Name", "", "", 0, 0});
    EXPECT_EQ(SongFile(), "\r\nName\r\n\r\n0\r\n0");
    PlayAndWait({"Name", "Artist", "", -3, 40000});
    EXPECT_EQ(SongFile(), "Artist\r\nName\r\n\r\n-3\r\n40000");
    host::Clean();
    EXPECT_EQ(SongFile(), " ");
}

// The song file keeps the system code page; its twin holds the same text in
// UTF-8, without a byte order mark, for readers that take only UTF-8. The
// Hebrew case runs in a process started in a Hebrew locale (CMakeLists.txt).
class SongFileTwins : public NowPlayingTest {
protected:
    void PlayStopAndClean(UINT codePage, const host::Track &track, const std::string &songFile,
                          const std::string &utf8)
    {
        ASSERT_EQ(GetACP(), codePage);
        StartWith({{"File", 1}});
        PlayAndWait(track);
        EXPECT_EQ(SongFile(), songFile);
        EXPECT_EQ(Utf8SongFile(), utf8);
        StopAndWait();
        EXPECT_EQ(SongFile(), " ");
        EXPECT_EQ(Utf8SongFile(), " ");
        PlayAndWait(track);
        host::Clean();
        EXPECT_EQ(Utf8SongFile(), " ");
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((HostFolder() + "\\*.tmp").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
        FindClose(search);
    }
};

TEST_F(SongFileTwins, LatinTrackUnderTheWesternCodePage)
{
    PlayStopAndClean(1252, {"Crazy in Love", "Beyonc\xE9", "Dangerously in Love", 1, 2003},
                     "Beyonc\xE9\r\nCrazy in Love\r\nDangerously in Love\r\n1\r\n2003",
                     "Beyonc\xC3\xA9\r\nCrazy in Love\r\nDangerously in Love\r\n1\r\n2003");
}

TEST_F(SongFileTwins, HebrewTrackUnderTheHebrewCodePage)
{
    // "Shalom" by "Ofra": the Windows-1255 bytes, then their UTF-8.
    PlayStopAndClean(1255, {"\xF9\xEC\xE5\xED", "\xF2\xF4\xF8\xE4", "", 2, 1984},
                     "\xF2\xF4\xF8\xE4\r\n\xF9\xEC\xE5\xED\r\n\r\n2\r\n1984",
                     "\xD7\xA2\xD7\xA4\xD7\xA8\xD7\x94\r\n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\r\n\r\n2\r\n1984");
}

TEST_F(NowPlayingOutputs, LineBreaksInsideTagsBecomeSpaces)
{
    StartWith({{"File", 1}});
    PlayAndWait({"Two\r\nLines", "Art\nist", "Al\rbum", 1, 2004});
    EXPECT_EQ(SongFile(), "Art ist\r\nTwo  Lines\r\nAl bum\r\n1\r\n2004");
}

TEST_F(NowPlayingOutputs, FieldsWithoutAZeroByteAreReadAsAtMost255Characters)
{
    StartWith({{"File", 1}, {"CaptionText", 1}});
    std::vector<uint8_t> record = host::BuildTrack({"", "", "", 1, 2004});
    for (int offset : {8, 520, 1032}) {
        record[offset] = 255;
        memset(&record[offset + 1], offset == 8 ? 'N' : offset == 520 ? 'A' : 'T', 255);
    }
    host::Play(record);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
    std::string a(255, 'A'), n(255, 'N'), t(255, 'T');
    EXPECT_EQ(SongFile(), a + "\r\n" + n + "\r\n" + t + "\r\n1\r\n2004");
    EXPECT_EQ(Caption(), a + " - " + n + " - iTunes");
}

TEST_F(NowPlayingOutputs, NoPlayersFolderMeansTheUsersFolderAndNeverTheCurrentOne)
{
    host::SetHostExecutablePath("short.exe");
    StartWith({{"File", 1}});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(SongFile(), "(missing)");
    EXPECT_EQ(SongFileIn(PerUserFolder()), "Artist\r\nSong\r\n\r\n1\r\n2004");
    EXPECT_EQ(GetFileAttributesA("CurrentSong.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(NowPlayingOutputs, ClipboardHoldsTheTextAndTheHebrewLocaleWithoutTheCaptionSuffix)
{
    StartWith({{"Clipboard", 1}, {"CaptionText", 1}});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(ClipboardText(), "Artist - Song");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE locale = GetClipboardData(CF_LOCALE);
    ASSERT_NE(locale, nullptr);
    EXPECT_EQ(*static_cast<const DWORD *>(GlobalLock(locale)), 0x047Fu);
    GlobalUnlock(locale);
    CloseClipboard();
    EXPECT_EQ(Caption(), "Artist - Song - iTunes");
    StopAndWait();
    EXPECT_EQ(Caption(), "iTunes");
}

// Written for every track without the user asking: kept out of the
// clipboard history and off the cloud clipboard, and owned by a window of
// the player's process, without which SetClipboardData fails on Windows.
TEST_F(NowPlayingOutputs, ClipboardTextStaysOutOfTheHistoryAndHasAnOwner)
{
    StartWith({{"Clipboard", 1}});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(ClipboardText(), "Artist - Song");
    for (const char *format : {"CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
        EXPECT_EQ(host::ClipboardBytes(RegisterClipboardFormatA(format)), std::string(4, '\0')) << format;
    DWORD process = 0;
    EXPECT_NE(GetWindowThreadProcessId(GetClipboardOwner(), &process), 0u);
    EXPECT_EQ(process, GetCurrentProcessId());
}

// Another program holding the clipboard for a moment (here a window of this
// thread, from just before the worker's turn at it) delays the text, never
// loses it. Held with a window: opens without one do not exclude each other.
TEST_F(NowPlayingOutputs, ClipboardHeldForAMomentByAnotherStillGetsTheText)
{
    StartWith({{"Clipboard", 1}, {"WinAmp", 1}});
    ASSERT_TRUE(OpenClipboard(host::equalizerWindow));
    host::Play(host::BuildTrack({"Song", "Artist"}));
    // The Winamp title comes just before the clipboard.
    EXPECT_TRUE(host::WaitForSentMessage());
    host::PumpFor(20);
    CloseClipboard();
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
    EXPECT_EQ(ClipboardText(), "Artist - Song");
}

// A clipboard manager holding the clipboard past the worker's first try
// delays the text, never loses it.
TEST_F(NowPlayingOutputs, ClipboardHeldLongByAnotherStillGetsTheText)
{
    StartWith({{"Clipboard", 1}, {"CaptionText", 1}});
    ASSERT_TRUE(OpenClipboard(host::equalizerWindow));
    host::Play(host::BuildTrack({"Song", "Artist"}));
    // The caption comes after the clipboard was tried.
    bool tried = host::PumpUntil([] { return Caption() == "Artist - Song - iTunes"; });
    CloseClipboard();
    EXPECT_TRUE(tried);
    EXPECT_TRUE(host::PumpUntil([] { return ClipboardText() == "Artist - Song"; })) << ClipboardText();
}

// A reader holding a song file (a text source polling it, or one opened
// the way fopen opens) delays that file's new text, never loses it, and
// both files end on the same state.
TEST_F(NowPlayingOutputs, SongFileHeldByAReaderGetsTheNewTextOnceReleased)
{
    struct Reader {
        const char *file;
        DWORD sharing;
    };
    const Reader readers[] = {{"CurrentSong.txt", FILE_SHARE_READ},
                              {"CurrentSong.utf8.txt", FILE_SHARE_READ | FILE_SHARE_WRITE}};
    StartWith({{"File", 1}, {"CaptionText", 1}});
    for (const Reader &reader : readers) {
        SCOPED_TRACE(reader.file);
        std::string name = std::string("After ") + reader.file;
        host::Play(host::BuildTrack({"Before", "Band"}));
        const std::string before = "Band\r\nBefore\r\n\r\n1\r\n2004";
        ASSERT_TRUE(host::PumpUntil([&] { return SongFile() == before && Utf8SongFile() == before; }));
        HANDLE held = CreateFileA((HostFolder() + "\\" + reader.file).c_str(), GENERIC_READ, reader.sharing, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        host::Play(host::BuildTrack({name, "Band"}));
        // The caption comes after both files were tried.
        bool tried = host::PumpUntil([&] { return Caption() == "Band - " + name + " - iTunes"; });
        CloseHandle(held);
        EXPECT_TRUE(tried);
        std::string lines = "Band\r\n" + name + "\r\n\r\n1\r\n2004";
        EXPECT_TRUE(host::PumpUntil([&] { return SongFile() == lines && Utf8SongFile() == lines; }))
            << SongFile() << " / " << Utf8SongFile();
    }
}

// "clr " is done when it returns: what came before it is written, then both
// song files are blank, and nothing writes them once the worker is gone.
TEST_F(NowPlayingOutputs, CleanUpLeavesBothSongFilesBlankWhenItReturns)
{
    struct Before {
        const char *name;
        int starts;
    };
    for (const Before &before : {Before{"right after a start", 1}, Before{"after a burst", 200}}) {
        SCOPED_TRACE(before.name);
        // A "null" after "clr " starts the plug-in up again.
        StartWith({{"File", 1}});
        for (int i = 0; i < before.starts; ++i) {
            if (i)
                host::Stop();
            host::Play(host::BuildTrack({"Name " + std::to_string(i), "Artist"}));
        }
        host::Clean();
        EXPECT_EQ(SongFile(), " ");
        EXPECT_EQ(Utf8SongFile(), " ");
        EXPECT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
        EXPECT_EQ(SongFile(), " ");
        EXPECT_EQ(Utf8SongFile(), " ");
    }
}

// A player whose process ends at once leaves each song file whole: blank
// after "clr ", else one state of the burst it was in, never a mix or an
// empty file.
class QuittingPlayer : public NowPlayingTest {
protected:
    QuittingPlayer() { createWindows = false; }
    static bool BurstState(const std::string &text)
    {
        if (text == " ")
            return true;
        if (text.rfind("Artist ", 0) != 0)
            return false;
        std::string n = std::to_string(atoi(text.c_str() + strlen("Artist ")));
        return text == "Artist " + n + "\r\nName " + n + "\r\nThird " + n + "\r\n" + n + "\r\n2000";
    }
};

TEST_F(QuittingPlayer, EndingAtOnceLeavesWholeSongFiles)
{
    StoreOutputs({{"File", 1}});
    ASSERT_EQ(RunProgram("quitting_player", {"clr"}), 0);
    EXPECT_EQ(SongFile(), " ");
    EXPECT_EQ(Utf8SongFile(), " ");
    // Each burst starts from the files the run before left.
    for (int run = 0; run < 3; ++run) {
        ASSERT_EQ(RunProgram("quitting_player", {"burst"}), 0);
        EXPECT_TRUE(BurstState(SongFile())) << SongFile();
        EXPECT_TRUE(BurstState(Utf8SongFile())) << Utf8SongFile();
    }
}

TEST_F(NowPlayingOutputs, WinampTitlesForStartPauseAndEmptyArtist)
{
    StartWith({{"WinAmp", 1}});
    EXPECT_EQ(WinampTitle(), "Winamp 5.01");
    PlayAndWait({"Song", "Artist", "", 7});
    EXPECT_EQ(WinampTitle(), "7. Artist - Song - Winamp");
    StopAndWait();
    EXPECT_EQ(WinampTitle(), "7. Artist - Song - Winamp [Paused]");
    PlayAndWait({"Alone", "", "", 3});
    EXPECT_EQ(WinampTitle(), "3. Alone - Winamp");
    StopAndWait();
    EXPECT_EQ(WinampTitle(), "3. Alone - Winamp [Paused]");
}

TEST_F(NowPlayingOutputs, OutputsThatAreOffStayUntouched)
{
    StartWith({});
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(Caption(), "iTunes");
    EXPECT_EQ(WinampTitle(), "(no window)");
    EXPECT_EQ(SongFile(), "(missing)");
}

TEST(LyricsQuery, OnlyHebrewInArtistOrNameMakesASearchAddress)
{
    char query[LYRICS_QUERY_SIZE];
    ComposeLyricsQuery("The Beatles", "Let It Be", query, sizeof query);
    EXPECT_STREQ(query, "+");
    ComposeLyricsQuery("Band", "Name \xF5", query, sizeof query);
    EXPECT_STREQ(query, "+") << "F5 is not a Hebrew letter";

    ComposeLyricsQuery("\xE0\xE1 \xE2", "Rock & Roll", query, sizeof query);
    EXPECT_STREQ(query, "https://www.google.com/search?hl=en&ie=UTF-8&oe=UTF-8&q=\xE0\xE1+\xE2+Rock+&+Roll+"
                        "\xEE\xE9\xEC\xE9\xED+site:shironet.mako.co.il&btnI=I'm+Feeling+Lucky");
    ComposeLyricsQuery("Band", "\xFA", query, sizeof query);
    EXPECT_NE(query[0], '+');
}

TEST(LyricsQuery, LongestTextsStayInsideTheBuffer)
{
    std::string longest(255, '\xE0');
    char query[LYRICS_QUERY_SIZE];
    ComposeLyricsQuery(longest.c_str(), longest.c_str(), query, sizeof query);
    EXPECT_LT(strlen(query), sizeof query);
    char small[40];
    ComposeLyricsQuery(longest.c_str(), longest.c_str(), small, sizeof small);
    EXPECT_EQ(strlen(small), sizeof small - 1);
}

} // namespace
