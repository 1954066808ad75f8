// The host's UTF-16 track record: in a Windows-1252 process, titles outside
// the code page reach every output that carries Unicode whole, while the
// song file keeps the 8-bit record's bytes (made from the UTF-16 texts in
// the code page when the player speaks the newer interface, which sends no
// 8-bit record); without a usable UTF-16 record the outputs come from the
// 8-bit one, as they always did, and in the newer interface there is no
// play at all.
#include "nowplaying_fixture.h"

using namespace testing_support;

namespace {

host::Track WideTrack(const std::wstring &artist, const std::wstring &name, const std::wstring &genre,
                      const std::string &narrowArtist = "", const std::string &narrowName = "")
{
    host::Track track;
    track.wide.artist = artist;
    track.wide.name = name;
    track.wide.genre = genre;
    track.artist = narrowArtist;
    track.name = narrowName;
    track.number = 3;
    track.year = 2001;
    return track;
}

// "Ofra" - "Shalom": the 8-bit record in Windows-1255, as a Hebrew tag.
const host::Track HEBREW = WideTrack(L"\u05E2\u05E4\u05E8\u05D4", L"\u05E9\u05DC\u05D5\u05DD", L"Pop",
                                     "\xF2\xF4\xF8\xE4", "\xF9\xEC\xE5\xED");

// A Unicode player window, as the player's own: the caption keeps what the
// code page lacks.
// UTF-8 text in the process's code page, as the module writes a text that
// came only in UTF-16.
std::string InCodePage(const std::string &utf8)
{
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 1024);
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

class UnicodeRecord : public NowPlayingTest {
protected:
    UnicodeRecord() { placement.unicode = true; }
    void StartAllOutputs()
    {
        ASSERT_EQ(GetACP(), 1252u);
        StartWith({{"File", 1}, {"Clipboard", 1}, {"CaptionText", 1}, {"WinAmp", 1}});
    }
};

// The interface chosen before the plug-in's "init".
class OlderInterfaceRecord : public UnicodeRecord {
protected:
    OlderInterfaceRecord() { host::hostInterface = host::INTERFACE_10_5; }
    void SetUp() override
    {
        if (host::layout::BUILD_64)
            GTEST_SKIP() << "the 64-bit module speaks only the newer interface";
        UnicodeRecord::SetUp();
    }
};
class NewerInterfaceRecord : public UnicodeRecord {
protected:
    NewerInterfaceRecord() { host::hostInterface = host::INTERFACE_2_0; }
};

TEST_F(UnicodeRecord, TextsOutsideTheCodePageReachEveryUnicodeOutput)
{
    struct Case {
        host::Track track;
        std::string songFile, utf8;
        std::wstring nowPlaying;
    };
    const Case cases[] = {
        {WideTrack(L"\u5B87\u591A\u7530", L"\u521D\u604B", L"J-Pop"), "???\r\n??\r\nJ-Pop\r\n3\r\n2001",
         u8"\u5B87\u591A\u7530\r\n\u521D\u604B\r\nJ-Pop\r\n3\r\n2001", L"\u5B87\u591A\u7530 - \u521D\u604B"},
        {WideTrack(L"\u041A\u0438\u043D\u043E", L"\u0413\u0440\u0443\u043F\u043F\u0430", L"\u0420\u043E\u043A"),
         "????\r\n??????\r\n???\r\n3\r\n2001",
         u8"\u041A\u0438\u043D\u043E\r\n\u0413\u0440\u0443\u043F\u043F\u0430\r\n\u0420\u043E\u043A\r\n3\r\n2001",
         L"\u041A\u0438\u043D\u043E - \u0413\u0440\u0443\u043F\u043F\u0430"},
        {HEBREW, "\xF2\xF4\xF8\xE4\r\n\xF9\xEC\xE5\xED\r\nPop\r\n3\r\n2001",
         u8"\u05E2\u05E4\u05E8\u05D4\r\n\u05E9\u05DC\u05D5\u05DD\r\nPop\r\n3\r\n2001",
         L"\u05E2\u05E4\u05E8\u05D4 - \u05E9\u05DC\u05D5\u05DD"},
    };
    StartAllOutputs();
    for (const Case &c : cases) {
        PlayAndWait(c.track);
        EXPECT_EQ(SongFile(), host::SpeaksInterface2() ? InCodePage(c.utf8) : c.songFile);
        EXPECT_EQ(Utf8SongFile(), c.utf8);
        EXPECT_EQ(WinampTitleW(), L"3. " + c.nowPlaying + L" - Winamp");
        EXPECT_EQ(ClipboardUnicodeText(), c.nowPlaying);
        EXPECT_EQ(CaptionW(), c.nowPlaying + L" - iTunes");
        StopAndWait();
        EXPECT_EQ(WinampTitleW(), L"3. " + c.nowPlaying + L" - Winamp [Paused]");
    }
}

// A record not sent, or whose length is out of range, counts as not sent:
// the Hebrew bytes are read in the process's code page, mojibake included.
TEST_F(OlderInterfaceRecord, MissingOrMisSizedRecordLeavesTheCodePageTexts)
{
    StartAllOutputs();
    for (uint32_t length : {0u, 100u, 4693u, 100000u}) {
        host::Track track = HEBREW;
        track.unicodeLength = length;
        PlayAndWait(track);
        EXPECT_EQ(Utf8SongFile(), "\xC3\xB2\xC3\xB4\xC3\xB8\xC3\xA4\r\n\xC3\xB9\xC3\xAC\xC3\xA5\xC3\xAD\r\nPop\r\n3\r\n2001")
            << length;
        EXPECT_EQ(WinampTitleW(), L"3. \u00F2\u00F4\u00F8\u00E4 - \u00F9\u00EC\u00E5\u00ED - Winamp") << length;
    }
}

// The limit is the host's own answer to "itsz" when it gives one.
TEST_F(OlderInterfaceRecord, RecordLongerThanTheHostSaysIsIgnored)
{
    host::trackInfoSize = 4000;
    StartAllOutputs();
    PlayAndWait(HEBREW);
    EXPECT_EQ(WinampTitleW(), L"3. \u00F2\u00F4\u00F8\u00E4 - \u00F9\u00EC\u00E5\u00ED - Winamp");
    host::trackInfoSize = 0;
}

// The newer interface's 'Vply' has only this record: one too short or
// longer than the host fills is no play, and the track before stays.
TEST_F(NewerInterfaceRecord, PlayWithoutAUsableRecordChangesNothing)
{
    StartAllOutputs();
    PlayAndWait(HEBREW);
    for (uint32_t length : {100u, 4103u, 100000u}) {
        host::Track track = {"Other", "Artist"};
        track.unicodeLength = length;
        host::Play(track);
    }
    StopAndWait();
    EXPECT_EQ(WinampTitleW(), L"3. \u05E2\u05E4\u05E8\u05D4 - \u05E9\u05DC\u05D5\u05DD - Winamp [Paused]");
}

} // namespace
