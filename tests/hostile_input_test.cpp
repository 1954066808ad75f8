// Records, settings, registry values and messages that no well-behaved
// host or program sends: the module must not crash, must not write outside
// a buffer, and every output must keep its form.
#include <cstdio>
#include <cstring>

#include "harness.h"

using namespace testing_support;

namespace {

std::string SongFile()
{
    return HostFolder() + "\\CurrentSong.txt";
}

bool EndsWith(const std::string &text, const std::string &end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

uint32_t Next(uint32_t &state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// Kinds of record: random bytes everywhere, every byte 0xFF, texts of 255
// Hebrew letters mixed with control bytes, and texts with no zero byte.
std::vector<uint8_t> HostileRecord(int kind, uint32_t &state)
{
    std::vector<uint8_t> record(host::TRACK_SIZE);
    for (uint8_t &byte : record) {
        switch (kind) {
        case 0:
            byte = uint8_t(Next(state));
            break;
        case 1:
            byte = 0xFF;
            break;
        case 2: {
            static const uint8_t mix[] = {0xE0, 0xF5, 0xFA, '\r', '\n', '\t', '"', '%', '&', 0x7F, 0x01, ' '};
            byte = mix[Next(state) % sizeof mix];
            break;
        }
        default:
            byte = uint8_t(1 + Next(state) % 255);
            break;
        }
    }
    return record;
}

// The song file: five lines (four CR LF), no zero byte, each text line at
// most 255 bytes, two numeric lines; or a single space.
::testing::AssertionResult WellFormedSongFile(const std::string &bytes)
{
    if (bytes == " ")
        return ::testing::AssertionSuccess();
    if (bytes.find('\0') != std::string::npos)
        return ::testing::AssertionFailure() << "zero byte in the song file";
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(bytes.substr(start, at - start));
    lines.push_back(bytes.substr(start));
    if (lines.size() != 5)
        return ::testing::AssertionFailure() << lines.size() << " lines in the song file";
    for (int i = 0; i < 3; ++i)
        if (lines[i].size() > 255 || lines[i].find_first_of("\r\n") != std::string::npos)
            return ::testing::AssertionFailure() << "line " << i + 1 << " is not one line of a text field";
    for (int i = 3; i < 5; ++i)
        if (lines[i].empty() || lines[i].find_first_not_of("-0123456789") != std::string::npos)
            return ::testing::AssertionFailure() << "line " << i + 1 << " is not a number: " << lines[i];
    return ::testing::AssertionSuccess();
}

class HostileInput : public HostTest {};

TEST_F(HostileInput, ExtremeTrackRecordsKeepEveryOutputInShape)
{
    StartPlugin({{"File", 1}, {"Clipboard", 1}, {"CaptionText", 1}, {"WinAmp", 1}, {"Menu", 1}, {"Skin", 0}});
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    ASSERT_NE(winamp, nullptr);
    int threads = host::ThreadCount();
    uint32_t state = 0x2545F491;
    // Each record waits for the worker to end, so a few hundred keep the
    // test quick; every kind comes fifty times.
    for (int i = 0; i < 200; ++i) {
        std::vector<uint8_t> record = HostileRecord(i % 4, state);
        host::Play(record);
        ASSERT_TRUE(host::WaitForThreadsAtMost(threads, 10000)) << "record " << i;
        ASSERT_TRUE(WellFormedSongFile(FileBytes(SongFile()))) << "record " << i;

        std::string caption = WindowText(host::mainWindow);
        ASSERT_TRUE(EndsWith(caption, " - iTunes")) << "record " << i << ": " << caption;
        ASSERT_LE(caption.size(), 255u + 3 + 255 + 9);
        std::string title = WindowText(winamp);
        ASSERT_TRUE(EndsWith(title, " - Winamp")) << "record " << i;
        ASSERT_LE(title.size(), 12u + 2 + 255 + 3 + 255 + 9);
        std::string clip = ClipboardText();
        ASSERT_LE(clip.size(), 255u + 3 + 255);
        ASSERT_EQ(caption, clip + " - iTunes") << "record " << i;

        if (i % 50 == 49) {
            host::Stop();
            ASSERT_TRUE(host::WaitForThreadsAtMost(threads, 10000));
            ASSERT_EQ(FileBytes(SongFile()), " ");
            ASSERT_TRUE(EndsWith(WindowText(winamp), " - Winamp [Paused]"));
        }
    }
}

struct RegistryJunk {
    const char *label;
    DWORD type;
    std::string bytes;
};

std::vector<RegistryJunk> PathJunk()
{
    return {
        {"empty", REG_SZ, std::string(1, '\0')},
        {"shorter than the file name", REG_SZ, std::string("C:\\a.exe") + '\0'},
        {"exactly ten characters", REG_SZ, std::string("iTunes.exe") + '\0'},
        {"no folder before the name", REG_SZ, std::string("C:iTunes.exe") + '\0'},
        {"699 characters", REG_SZ, "C:\\" + std::string(686, 'x') + "\\iTunes.exe" + '\0'},
        {"700 characters, no terminator", REG_SZ, "C:\\" + std::string(687, 'x') + "\\iTunes.exe"},
        {"5000 characters", REG_SZ, "C:\\" + std::string(4987, 'y') + "\\iTunes.exe" + '\0'},
        {"a number", REG_DWORD, std::string("\x01\x02\x03\x04", 4)},
        {"binary without a zero byte", REG_BINARY, std::string(900, 'z')},
        {"expandable", REG_EXPAND_SZ, std::string("%TEMP%\\iTunes.exe") + '\0'},
    };
}

void SetDefaultValue(HKEY root, const char *path, const RegistryJunk &junk)
{
    HKEY key;
    RegCreateKeyA(root, path, &key);
    RegSetValueExA(key, nullptr, 0, junk.type, reinterpret_cast<const BYTE *>(junk.bytes.data()),
                   DWORD(junk.bytes.size()));
    RegCloseKey(key);
}

// The song path is read once per start-up, and each case runs in a process
// of its own, so each junk value gets a start-up of its own.
class HostilePath : public HostTest, public ::testing::WithParamInterface<int> {};

TEST_P(HostilePath, JunkInThePlayersPathWritesNothingBesideTheHostAndDoesNotCrash)
{
    RegistryJunk junk = PathJunk()[size_t(GetParam())];
    SetDefaultValue(HKEY_CLASSES_ROOT, "daap\\DefaultIcon", junk);
    DeleteFileA(SongFile().c_str());
    StartPlugin({{"File", 1}});
    int threads = host::ThreadCount();
    host::Play(host::BuildTrack({"Song", "Artist"}));
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads, 5000)) << junk.label;
    host::Stop();
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads, 5000)) << junk.label;
    host::Clean();
    EXPECT_EQ(GetFileAttributesA(SongFile().c_str()), INVALID_FILE_ATTRIBUTES) << junk.label;
    EXPECT_EQ(GetFileAttributesA("CurrentSong.txt"), INVALID_FILE_ATTRIBUTES) << junk.label << ": written beside the host";
    // Still serving the host afterwards.
    EXPECT_EQ(SendMessageA(host::mainWindow, 29872, 0, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, HostilePath, ::testing::Range(0, 10));

TEST_F(HostileInput, JunkInTheLyricsProgramsKeyStartsNothing)
{
    StartPlugin();
    for (const RegistryJunk &junk : PathJunk()) {
        SetDefaultValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Evil Laboratories\\DuzaZezuvu", junk);
        SendMessageA(host::mainWindow, WM_COMMAND, 40009, 0);
        host::PumpMessages();
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Evil Laboratories\\DuzaZezuvu");
    SendMessageA(host::mainWindow, WM_COMMAND, 40009, 0);
    EXPECT_EQ(SendMessageA(host::mainWindow, 29872, 0, 0), 0);
}

TEST_F(HostileInput, APeerSendingMadeUpIdsAndAddressesChangesNothing)
{
    StartPlugin();
    std::vector<uint8_t> track = host::BuildTrack({"Song", "Artist"});
    int threads = host::ThreadCount();
    host::Play(track);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads, 5000));

    // The canary: the host's own memory, which the peer names as a target.
    static uint8_t canary[4096];
    memset(canary, 0xA5, sizeof canary);

    char line[512];
    snprintf(line, sizeof line, "hostile_peer.exe %lx %u %d %lu %lx", (unsigned long)uintptr_t(host::mainWindow),
             12345u, 3000, (unsigned long)GetCurrentProcessId(), (unsigned long)uintptr_t(canary));
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    // The peer's messages are answered by this thread: pump until it ends.
    ASSERT_TRUE(host::PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 60000));
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u) << "copies into the host's own memory reported success, or the host hung";
    for (uint8_t byte : canary)
        ASSERT_EQ(byte, 0xA5) << "the host's own memory was written";
    EXPECT_EQ(SendMessageA(host::mainWindow, 29872, 0, 0), 1);
}

} // namespace
