// A program written for the Winamp player, in another process, reads the
// "Winamp v1.x" window as it would read Winamp's, and drives the host with
// Winamp's transport commands.
#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

class WinampWindow : public NowPlayingTest {
protected:
    peer::Report View()
    {
        const peer::Report *view = client.Ask(peer::REQUEST_WINAMP_VIEW, 0, peer::REPORT_WINAMP);
        return view ? *view : peer::Report{};
    }
    peer::Report Texts(WPARAM how = 0)
    {
        const peer::Report *texts = client.Ask(peer::REQUEST_WINAMP_TEXTS, how, peer::REPORT_WINAMP_TEXTS);
        return texts ? *texts : peer::Report{};
    }
    peer::Report Tag(uint32_t tag, bool wide, peer::TagPlacement placement = peer::TAG_PROPER)
    {
        const peer::Report *answer =
            client.Ask(peer::REQUEST_WINAMP_TAG, peer::TagRequest(tag, wide, placement), peer::REPORT_WINAMP_TAG);
        return answer ? *answer : peer::Report{-1u};
    }
    static LRESULT Ask(WPARAM argument, LPARAM code)
    {
        return SendMessageW(FindWindowA("Winamp v1.x", nullptr), WM_USER, argument, code);
    }
    // Track 6 of an album of 12, its name outside the code page, its file
    // name too.
    static host::Track Kino()
    {
        host::Track track;
        track.artist = "Kino";
        track.wide.name = L"\u0413\u0440\u0443\u043F\u043F\u0430";
        track.album = "Gruppa krovi";
        track.genre = "Rock";
        track.comment = "Remastered";
        track.wide.fileName = L"C:\\Music\\\u041A\u0438\u043D\u043E.m4a";
        track.number = 6;
        track.count = 12;
        track.year = 1988;
        track.totalMs = 283500;
        track.bitRate = 256;
        track.sampleRate = 44100;
        track.channels = 2;
        return track;
    }
    // Kino()'s texts as the client read them, in the code page and whole.
    static void ExpectKinoTexts(const peer::Report &texts)
    {
        EXPECT_EQ(texts.addressed, 63u);
        EXPECT_STREQ(texts.playlistFile, "C:\\Music\\????.m4a");
        EXPECT_STREQ(texts.playlistTitle, "Kino - ??????");
        const std::wstring file = L"C:\\Music\\\u041A\u0438\u043D\u043E.m4a";
        const std::wstring title = L"Kino - \u0413\u0440\u0443\u043F\u043F\u0430";
        EXPECT_EQ(texts.playlistFileW, file);
        EXPECT_EQ(texts.playingFile, file);
        EXPECT_EQ(texts.playlistTitleW, title);
        EXPECT_EQ(texts.playingTitle, title);
    }
    PeerProgram client;
};

TEST_F(WinampWindow, ClientFollowsStartPauseResumeAndNewTrack)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    peer::Report view = View();
    ASSERT_EQ(view.result, 1) << "no Winamp window found";
    EXPECT_EQ(view.version, 0x5001);
    EXPECT_EQ(view.playState, 0);
    EXPECT_EQ(view.positionMs, -1);
    EXPECT_EQ(view.listLength, 0);

    PlayAndWait({"Song", "Artist", "", 4, 2004, 183500});
    view = View();
    EXPECT_EQ(view.playState, 1);
    EXPECT_GE(view.positionMs, 0);
    EXPECT_EQ(view.lengthSeconds, 183);
    EXPECT_EQ(view.lengthMs, 183500);
    EXPECT_EQ(view.listLength, 4);
    EXPECT_EQ(view.listPosition, 3);
    EXPECT_EQ(view.number, 4);
    EXPECT_STREQ(view.artist, "Artist");
    EXPECT_STREQ(view.title, "Song");
    EXPECT_EQ(view.paused, 0u);

    host::PumpFor(200);
    StopAndWait();
    view = View();
    EXPECT_EQ(view.playState, 3);
    EXPECT_EQ(view.paused, 1u);
    EXPECT_STREQ(view.title, "Song");
    int32_t held = view.positionMs;
    EXPECT_GE(held, 150);
    EXPECT_EQ(View().positionMs, held);

    PlayAndWait({"Song", "Artist", "", 4, 2004, 183500});
    view = View();
    EXPECT_EQ(view.playState, 1);
    EXPECT_GE(view.positionMs, held);

    PlayAndWait({"Other", "", "", 0, 2004, 1000});
    view = View();
    EXPECT_EQ(view.listPosition, 0);
    EXPECT_STREQ(view.artist, "");
    EXPECT_STREQ(view.title, "Other");
    EXPECT_EQ(view.lengthMs, 1000);
}

TEST_F(WinampWindow, TransportCommandsReachTheHostAsMediaCommands)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    struct Case {
        WPARAM command;
        DWORD appCommand;
    };
    const Case cases[] = {{40044, 0x800C0000}, {40045, 0x800E0000}, {40046, 0x800E0000},
                          {40047, 0x800D0000}, {40048, 0x800B0000}};
    for (const Case &c : cases) {
        host::ClearLogs();
        client.Ask(peer::REQUEST_WINAMP_COMMAND, c.command, peer::REPORT_SYNC);
        host::PumpMessages();
        EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_APPCOMMAND}),
                               {{WM_APPCOMMAND, host::posted | host::wparam | host::lparam, 0, LPARAM(c.appCommand)}}))
            << c.command;
    }
    // Play while playing changes nothing; pause still toggles.
    PlayAndWait({"Song", "Artist"});
    host::ClearLogs();
    client.Ask(peer::REQUEST_WINAMP_COMMAND, 40045, peer::REPORT_SYNC);
    client.Ask(peer::REQUEST_WINAMP_COMMAND, 40046, peer::REPORT_SYNC);
    host::PumpMessages();
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_APPCOMMAND}),
                           {{WM_APPCOMMAND, host::posted | host::lparam, 0, LPARAM(0x800E0000)}}));
}

// Texts handed out by address: the client reads them from the player's
// memory, MAX_PATH characters, as it would read Winamp's.
TEST_F(WinampWindow, ClientReadsThePlayingFilesTextsFromThePlayer)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    EXPECT_EQ(Texts().addressed, 0u) << "no track yet";

    PlayAndWait(Kino());
    peer::Report texts = Texts();
    ExpectKinoTexts(texts);
    EXPECT_EQ(texts.otherPositionAnswer, 0) << "only the current position has a file";

    PlayAndWait({"Next", "Band", "", 1});
    texts = Texts();
    EXPECT_STREQ(texts.playlistTitle, "Band - Next");
    EXPECT_EQ(texts.playingTitle, std::wstring(L"Band - Next"));
    EXPECT_STREQ(texts.playlistFile, "");
}

// Most Winamp clients are 32-bit programs, given only the low 32 bits of an
// answer from a 64-bit player's window: the texts lie below 4 GB.
TEST_F(WinampWindow, TextAddressesFitWhatA32BitClientIsGiven)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    PlayAndWait(Kino());
    struct Case {
        LPARAM code;
        WPARAM argument; // Kino() is at list position 5
    };
    const Case cases[] = {{211, 5}, {212, 5}, {213, 5}, {214, 5}, {3031, 0}, {3034, 0}};
    for (const Case &c : cases) {
        uint64_t address = uintptr_t(Ask(c.argument, c.code));
        EXPECT_NE(address, 0u) << c.code;
        EXPECT_LT(address, 1ull << 32) << c.code;
    }
    ExpectKinoTexts(Texts(peer::AS_32_BIT_PROGRAM));
}

TEST_F(WinampWindow, ClientReadsEachTagThroughARequestPlacedInThePlayer)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    PlayAndWait(Kino());
    struct Case {
        const char *narrow, *utf8; // "" with answer 0: not a tag
    };
    const Case cases[] = {
        {"Kino", "Kino"},
        {"??????", u8"\u0413\u0440\u0443\u043F\u043F\u0430"},
        {"Gruppa krovi", "Gruppa krovi"},
        {"Rock", "Rock"},
        {"1988", "1988"},
        {"6", "6"},
        {"283500", "283500"},
        {"Remastered", "Remastered"},
        {nullptr, nullptr},
    };
    for (uint32_t tag = 0; tag < sizeof cases / sizeof *cases; ++tag)
        for (bool wide : {false, true}) {
            peer::Report answer = Tag(tag, wide);
            const char *expected = wide ? cases[tag].utf8 : cases[tag].narrow;
            EXPECT_EQ(answer.result, expected ? 1 : 0) << peer::TAG_NAMES[tag] << " wide " << wide;
            EXPECT_STREQ(answer.tag, expected ? expected : "") << peer::TAG_NAMES[tag] << " wide " << wide;
        }
}

// Every pointer in the request comes from another program: one that cannot
// be followed whole makes the answer 0, touches nothing, and the player
// carries on.
TEST_F(WinampWindow, RequestsThatCannotBeFollowedAnswerZero)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    EXPECT_EQ(Tag(0, true).result, 0) << "no track yet";
    PlayAndWait(Kino());
    for (peer::TagPlacement placement : {peer::TAG_OTHER_FILE, peer::TAG_REQUEST_UNCOMMITTED, peer::TAG_FILE_UNCOMMITTED,
                                         peer::TAG_RESULT_READ_ONLY, peer::TAG_FIELD_UNTERMINATED})
        for (bool wide : {false, true}) {
            peer::Report answer = Tag(0, wide, placement);
            EXPECT_EQ(answer.result, 0) << placement << " wide " << wide;
            EXPECT_STREQ(answer.tag, "") << placement << " wide " << wide;
        }
    EXPECT_EQ(Tag(0, true).result, 1);
}

// Clients declare more room than their block has and read back only the
// text, which is all that is written; a block taken away and back while the
// player reads it costs an answer, never the player.
TEST_F(WinampWindow, OnlyTheTextsBytesMustBeWritableAndAVanishingBlockIsSurvived)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    PlayAndWait(Kino());
    for (bool wide : {false, true}) {
        peer::Report answer = Tag(0, wide, peer::TAG_RESULT_CROSSES);
        EXPECT_EQ(answer.result, 1) << "wide " << wide;
        EXPECT_STREQ(answer.tag, "Kino") << "wide " << wide;
        Tag(0, wide, peer::TAG_REQUEST_CHURNS);
        EXPECT_STREQ(Tag(2, wide).tag, "Gruppa krovi") << "wide " << wide;
    }
}

TEST_F(WinampWindow, FormatAndListLengthFromTheRecordAndTheSoundFormat)
{
    StartWith({{"WinAmp", 1}});
    struct Case {
        WPARAM argument;
        LPARAM code;
        LRESULT before, playing;
    };
    const Case cases[] = {
        {0, 126, 0, 44}, {1, 126, 0, 256}, {2, 126, 0, 2}, {5, 126, 0, 44100}, {3, 126, 0, 0}, {0, 124, 0, 12},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Ask(c.argument, c.code), c.before) << c.argument << "/" << c.code;
    PlayAndWait(Kino());
    for (const Case &c : cases)
        EXPECT_EQ(Ask(c.argument, c.code), c.playing) << c.argument << "/" << c.code;
    host::Track unknown = {"Stream", "Radio", "", 9};
    unknown.unicodeLength = 0;
    PlayAndWait(unknown);
    EXPECT_EQ(Ask(0, 126), 0);
    EXPECT_EQ(Ask(2, 126), 0);
    EXPECT_EQ(Ask(0, 124), 9) << "at least the list position + 1";
}

TEST_F(WinampWindow, CloseStaysWithTheWindowAndClosesThePlayer)
{
    StartWith({{"WinAmp", 1}});
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    host::ClearLogs();
    SendMessageW(winamp, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(winamp));
    host::PumpMessages();
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_CLOSE}),
                           {{WM_CLOSE, host::posted | host::wparam | host::lparam, 0, 0}}));
}

} // namespace
