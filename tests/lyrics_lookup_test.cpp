// "Find Lyrics": the address the browser gets for a Hebrew title, and the
// DuzaZezuvu program for every other track.
#include <cstring>

#include "harness.h"
#include "mainwindow/lyricsurl.h"
#include "nowplaying/lyricsquery.h"
#include "nowplaying/outputs.h"
#include "resources/resource.h"

using namespace testing_support;

namespace {

std::string Encode(const std::string &query, size_t addressSize = 3000)
{
    std::vector<char> address(addressSize, '#');
    size_t length = EncodeLyricsAddress(query.c_str(), query.size() + 1, address.data(), address.size());
    EXPECT_EQ(length, strlen(address.data()));
    return address.data();
}

TEST(LyricsAddress, HebrewLettersBecomeUtf8AndTheFinalPeStaysAByte)
{
    std::string letters(HEBREW_LETTERS.begin(), HEBREW_LETTERS.end());
    std::string expected;
    for (uint8_t c : HEBREW_LETTERS) {
        char piece[8];
        snprintf(piece, sizeof piece, "%%D7%%%02X", c - 0x50);
        expected += piece;
    }
    EXPECT_EQ(Encode(letters), expected);
    EXPECT_EQ(Encode("\xE0\xFA"), "%D7%90%D7%AA");
    EXPECT_EQ(Encode("a\xF5z"), "a\xF5z");
}

TEST(LyricsAddress, OnlyBytesThatEndAnArgumentAreEncodedBesideTheLetters)
{
    EXPECT_EQ(Encode("http://x/search?q=a+b&c=%41&d=I'm+Feeling+Lucky"),
              "http://x/search?q=a+b&c=%41&d=I'm+Feeling+Lucky");
    EXPECT_EQ(Encode("q=\"a\" -new-window\tfile:\x01\x7F\x1F!~"), "q=%22a%22%20-new-window%09file:%01%7F%1F!~");
}

TEST(LyricsAddress, ALongAddressIsCutAfterTheLastWholeCharacter)
{
    // 10 bytes of room with the zero: "ab" and one letter fit, the next
    // letter would be cut in the middle.
    EXPECT_EQ(Encode("ab\xE0\xE1", 10), "ab%D7%90");
    EXPECT_EQ(Encode("ab\xE0\xE1", 14), "ab%D7%90");
    EXPECT_EQ(Encode("ab\xE0\xE1", 15), "ab%D7%90%D7%91");
    EXPECT_EQ(Encode("a\"", 4), "a");
    EXPECT_EQ(Encode("abc", 1), "");
    // The whole buffer of Hebrew: 499 letters fill 2994 bytes of 3000.
    std::string many(2999, '\xE5');
    EXPECT_EQ(Encode(many).size(), 2994u);
}

TEST(LyricsAddress, TheQueryIsReadNoFurtherThanItsBuffer)
{
    char query[3] = {'a', '\xE0', 'b'}; // no zero byte
    char address[32];
    EXPECT_EQ(EncodeLyricsAddress(query, sizeof query, address, sizeof address), 8u);
    EXPECT_STREQ(address, "a%D7%90b");
    EXPECT_TRUE(HasHebrewBaseLetter(query, sizeof query));
    EXPECT_FALSE(HasHebrewBaseLetter("+", 2));
    EXPECT_FALSE(HasHebrewBaseLetter("\xEA\xED\xEF\xF3\xF5", 6)) << "final forms only";
}

// ---- DuzaZezuvu -----------------------------------------------------------

constexpr char DUZAZEZUVU_KEY[] = "SOFTWARE\\Evil Laboratories\\DuzaZezuvu";

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = temp;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string ProgramFolder()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    *strrchr(self, '\\') = '\0';
    return self;
}

// A recorder's record once it is whole: two lines, the second maybe empty.
// It is there as soon as it exists, but the recorder's move still holds it
// for a moment; a read then, not sharing the right to delete, found nothing.
std::string RecordOnceWritten(const std::string &path)
{
    std::string record;
    host::PumpUntil([&] { return (record = FileBytes(path)).find('\n') != std::string::npos; }, 10000);
    return record;
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetDuzaZezuvuFolder(const std::string *folder)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, DUZAZEZUVU_KEY);
    if (!folder)
        return;
    HKEY key;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, DUZAZEZUVU_KEY, &key);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(folder->c_str()), DWORD(folder->size() + 1));
    RegCloseKey(key);
}

class LyricsLookup : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        // A folder with blanks, and a program planted at a prefix of it that
        // an unquoted command line would run instead.
        std::string evil = TempFolder() + "\\Evil Laboratories";
        installFolder = evil + "\\Duza Zezuvu";
        plantedRecord = TempFolder() + "\\started.txt";
        installedRecord = installFolder + "\\started.txt";
        CreateDirectoryA(evil.c_str(), nullptr);
        CreateDirectoryA(installFolder.c_str(), nullptr);
        std::string recorder = ProgramFolder() + "\\duzazezuvu_recorder.exe";
        ASSERT_TRUE(CopyFileA(recorder.c_str(), (installFolder + "\\DuzaZezuvu.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(recorder.c_str(), (TempFolder() + "\\Evil.exe").c_str(), FALSE));
        DeleteFileA(plantedRecord.c_str());
        DeleteFileA(installedRecord.c_str());
    }
    void TearDown() override
    {
        DeleteFileA((TempFolder() + "\\Evil.exe").c_str());
        SetDuzaZezuvuFolder(nullptr);
    }
    void FindLyrics()
    {
        host::ClearLogs();
        SendMessageA(host::mainWindow, WM_COMMAND, ID_FIND_LYRICS, 0);
    }
    // Nothing can signal that a program was not started: give a started one
    // ample time to have written its record.
    void ExpectNothingStarted()
    {
        host::PumpFor(1500);
        EXPECT_FALSE(Exists(installedRecord));
        EXPECT_FALSE(Exists(plantedRecord));
    }
    std::string installFolder, plantedRecord, installedRecord;
};

TEST_F(LyricsLookup, BeforeAnyTrackStartsDuzaZezuvuByItsQuotedPathAndPassesTheCommandOn)
{
    SetDuzaZezuvuFolder(&installFolder);
    StartPlugin();
    FindLyrics();
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_COMMAND}),
                           {{WM_COMMAND, host::sent | host::wparam, ID_FIND_LYRICS, 0}}));
    std::string exe = installFolder + "\\DuzaZezuvu.exe";
    std::string record = RecordOnceWritten(installedRecord);
    EXPECT_EQ(record.substr(record.find('\n') + 1), "\"" + exe + "\"");
    EXPECT_FALSE(Exists(plantedRecord)) << "the prefix program ran";
}

TEST_F(LyricsLookup, NoFolderOrOneTooLongStartsNothing)
{
    StartPlugin();
    const std::string empty;
    // With the exe name it would need 701 bytes; and one past the buffer.
    std::string tooLong = installFolder;
    while (tooLong.size() < 700 - strlen("\\DuzaZezuvu.exe"))
        tooLong += "\\.";
    tooLong.resize(700 - strlen("\\DuzaZezuvu.exe"));
    if (tooLong.back() == '\\')
        tooLong.back() = '.';
    std::string pastBuffer = tooLong + "\\.\\.\\.\\.\\.";
    const std::string *cases[] = {nullptr, &empty, &tooLong, &pastBuffer};
    for (const std::string *folder : cases) {
        SCOPED_TRACE(folder ? std::to_string(folder->size()) + " bytes" : "no key");
        SetDuzaZezuvuFolder(folder);
        FindLyrics();
        EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_COMMAND}),
                               {{WM_COMMAND, host::sent | host::wparam, ID_FIND_LYRICS, 0}}));
    }
    ExpectNothingStarted();
    // The lookup creates the key when it is missing.
    SetDuzaZezuvuFolder(nullptr);
    FindLyrics();
    HKEY key;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, DUZAZEZUVU_KEY, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}


// ---- a track start, end to end --------------------------------------------

// The browser's place is taken by the recorder, for both schemes.
class LyricsFlow : public LyricsLookup {
protected:
    void SetUp() override
    {
        LyricsLookup::SetUp();
        browserRecord = TempFolder() + "\\Bramblecourt browser.txt";
        DeleteFileA(browserRecord.c_str());
        std::string command = "\"" + ProgramFolder() + "\\browser_recorder.exe\" \"%1\"";
        for (const char *scheme : {"http", "https"}) {
            std::string key = std::string(scheme) + "\\shell\\open\\command";
            char old[1024] = "";
            LONG size = sizeof old;
            saved.push_back(RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), old, &size) == ERROR_SUCCESS ? old : "");
            RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, command.c_str(), DWORD(command.size()));
        }
        SetDuzaZezuvuFolder(&installFolder);
        StartPlugin({{"Skin", 0}});
        threadsBefore = host::ThreadCount();
    }
    void TearDown() override
    {
        const char *schemes[] = {"http", "https"};
        for (size_t i = 0; i < 2; ++i)
            RegSetValueA(HKEY_CLASSES_ROOT, (std::string(schemes[i]) + "\\shell\\open\\command").c_str(), REG_SZ,
                         saved[i].c_str(), DWORD(saved[i].size()));
        LyricsLookup::TearDown();
    }
    void Play(const char *name, const char *artist)
    {
        host::Play(host::BuildTrack({name, artist, "Album"}));
        ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore)) << "the start worker did not finish";
    }
    // The address as the browser got it, and how many arguments it saw.
    bool BrowserGot(std::string *address, int *arguments)
    {
        std::string record = RecordOnceWritten(browserRecord);
        if (record.find('\n') == std::string::npos)
            return false;
        *arguments = atoi(record.c_str());
        std::string commandLine = record.substr(record.find('\n') + 1);
        size_t open = commandLine.find("\" \"");
        *address = open == std::string::npos ? commandLine : commandLine.substr(open + 3);
        if (!address->empty() && address->back() == '"')
            address->pop_back();
        return true;
    }
    std::vector<host::Logged> CommandsToHost()
    {
        return host::Select(host::received, host::mainWindow, {WM_COMMAND});
    }
    std::string browserRecord;
    std::vector<std::string> saved;
    int threadsBefore = 0;
};

std::string Query(const std::string &artistAndName)
{
    return std::string(LYRICS_SEARCH_ENDPOINT) + "?hl=en&ie=UTF-8&oe=UTF-8&q=" + artistAndName +
           "+%D7%9E%D7%99%D7%9C%D7%99%D7%9D+site:" + LYRICS_SITE + "&btnI=I'm+Feeling+Lucky";
}

TEST_F(LyricsFlow, AHebrewTitleOpensTheEncodedAddressAndALatinOneAfterItStartsDuzaZezuvu)
{
    // Every letter, the final pe, "&" and "%" in one title.
    std::string letters(HEBREW_LETTERS.begin(), HEBREW_LETTERS.end());
    Play((letters + "\xF5 & 100%").c_str(), "Artist");
    FindLyrics();
    EXPECT_TRUE(CommandsToHost().empty()) << "the command was passed on";
    std::string address;
    int arguments = 0;
    ASSERT_TRUE(BrowserGot(&address, &arguments));
    EXPECT_EQ(arguments, 2);
    EXPECT_EQ(address, Query("Artist+" + Encode(letters) + "\xF5+&+100%"));
    EXPECT_FALSE(Exists(installedRecord));

    Play("Yellow Submarine", "The Beatles");
    FindLyrics();
    EXPECT_TRUE(SequenceIs(CommandsToHost(), {{WM_COMMAND, host::sent | host::wparam, ID_FIND_LYRICS, 0}}));
    std::string record = RecordOnceWritten(installedRecord);
    EXPECT_EQ(record.substr(record.find('\n') + 1), "\"" + installFolder + "\\DuzaZezuvu.exe\"");
}

TEST_F(LyricsFlow, AQuoteOrTabInTheTitleCannotAddBrowserArguments)
{
    Play("\xF9\xE9\xF8\" --new-window \"file:c:\\\tx", "\"");
    FindLyrics();
    std::string address;
    int arguments = 0;
    ASSERT_TRUE(BrowserGot(&address, &arguments));
    EXPECT_EQ(arguments, 2) << address;
    EXPECT_EQ(address, Query("%22+%D7%A9%D7%99%D7%A8%22+--new-window+%22file:c:\\%09x"));
}

} // namespace
