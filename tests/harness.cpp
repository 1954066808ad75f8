#include "harness.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace testing_support {

std::string HostFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "Bramblecourt host";
}

std::string PerUserFolder()
{
    char base[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", base, sizeof base);
    return std::string(base) + "\\Bramblecourt";
}

namespace {

uint32_t BigEndian(const std::string &bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = 0; i < size && at + i < bytes.size(); ++i)
        value = value << 8 | uint8_t(bytes[at + i]);
    return value;
}

void PutBigEndian(std::string &bytes, size_t at, uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        bytes[at + i] = char(value & 0xFF);
}

void AppendBigEndian(std::string &bytes, uint32_t value, int size)
{
    bytes.append(size, '\0');
    PutBigEndian(bytes, bytes.size() - size, value, size);
}

// A "name" table with only Windows English names (UTF-16, big-endian):
// family, style, full name and PostScript name.
std::string NameTable(const std::string &family)
{
    std::string postScript;
    for (char c : family)
        if (c != ' ')
            postScript += c;
    const std::pair<int, std::string> names[] = {{1, family}, {2, "Regular"}, {4, family}, {6, postScript}};
    std::string records, strings;
    for (const auto &[id, text] : names) {
        for (int value : {3, 1, 0x409, id, int(text.size() * 2), int(strings.size())})
            AppendBigEndian(records, uint32_t(value), 2);
        for (char c : text)
            AppendBigEndian(strings, uint8_t(c), 2);
    }
    std::string table;
    for (int value : {0, int(std::size(names)), int(6 + records.size())})
        AppendBigEndian(table, uint32_t(value), 2);
    return table + records + strings;
}

} // namespace

bool InstallFontAs(const char *ttfPath, const char *family)
{
    std::string font = FileBytes(ttfPath);
    if (font.size() < 12 || font == "(missing)")
        return false;
    // The new table goes at the end; the directory entry of the old one
    // points there instead. Table checksums are not checked by the loaders.
    std::string table = NameTable(family);
    font.append((4 - font.size() % 4) % 4, '\0');
    uint32_t tables = BigEndian(font, 4, 2);
    bool replaced = false;
    for (uint32_t i = 0; i < tables; ++i) {
        size_t entry = 12 + 16 * i;
        if (font.compare(entry, 4, "name") == 0) {
            PutBigEndian(font, entry + 8, uint32_t(font.size()), 4);
            PutBigEndian(font, entry + 12, uint32_t(table.size()), 4);
            replaced = true;
        }
    }
    font += table;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "Bramblecourt " + family + ".ttf";
    FILE *file = fopen(path.c_str(), "wb");
    if (!replaced || !file)
        return false;
    bool written = fwrite(font.data(), 1, font.size(), file) == font.size();
    return fclose(file) == 0 && written && AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr) > 0;
}

void HostTest::SetUp()
{
    host::ResetSettings();
    // Windows' media controls stay missing, as in Wine, unless a test
    // registers the stand-in.
    host::RegisterMediaControlsStandIn(false);
    CreateDirectoryA(HostFolder().c_str(), nullptr);
    host::SetHostExecutablePath((HostFolder() + "\\iTunes.exe").c_str());
    if (createWindows) {
        ASSERT_TRUE(host::CreateHostWindows(placement));
    }
    ASSERT_TRUE(host::LoadPlugin()) << "Bramblecourt.dll did not load";
    host::Init();
    ASSERT_NE(host::visualHandler, nullptr) << "no visual handler was registered";
}

void HostTest::StartPlugin(std::initializer_list<Setting> settings)
{
    for (const Setting &s : settings)
        host::SetSettingDword(s.name, s.value);
    host::Idle();
    host::PumpMessages();
}

::testing::AssertionResult SequenceIs(const std::vector<host::Logged> &got,
                                      const std::vector<host::Message> &expected)
{
    std::string report;
    if (host::MatchSequence(got, expected, &report))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << report;
}

} // namespace testing_support
