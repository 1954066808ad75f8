// The registry-backed flags: defaults on a first start, repair of anything
// that is not a 4-byte REG_DWORD holding 0 or 1, and values kept as stored.
#include <cstring>

#include "harness.h"

using namespace testing_support;

namespace {

struct Default {
    const char *name;
    DWORD value;
};
const Default DEFAULTS[] = {
    {"Skin", 1}, {"Multimedia", 0}, {"Clipboard", 0}, {"TopmostMin", 0}, {"TopmostAlways", 0},
    {"ShowInAltTab", 0}, {"WinAmp", 1}, {"File", 0}, {"CaptionText", 1}, {"Menu", 0},
    {"Tray", 0}, {"NeverTaskbar", 0}, {"Offset", 1}, {"ToolwindowMinimode", 0}, {"MediaControls", 1},
    {"Cover", 0},
};

DWORD Stored(const char *name)
{
    DWORD value = 0xDEADBEEF;
    EXPECT_TRUE(host::ReadSettingDword(name, &value)) << name << " is not a 4-byte REG_DWORD";
    return value;
}

// The same host without windows: the store needs none.
class SettingsStore : public HostTest {
protected:
    SettingsStore() { createWindows = false; }
};

TEST_F(SettingsStore, FirstStartCreatesTheKeyWithEveryDefault)
{
    StartPlugin();
    for (const Default &d : DEFAULTS)
        EXPECT_EQ(Stored(d.name), d.value) << d.name;
    EXPECT_EQ(Stored("Version"), 52u);
}

TEST_F(SettingsStore, StoredFlagsAreKeptAsTheyAre)
{
    // The inverse of every default, plus both on-top flags at once, which
    // only the registry can hold.
    for (const Default &d : DEFAULTS)
        host::SetSettingDword(d.name, 1 - d.value);
    host::SetSettingDword("TopmostAlways", 1);
    host::SetSettingDword("TopmostMin", 1);
    host::SetSettingDword("Version", 7);
    StartPlugin();
    for (const Default &d : DEFAULTS) {
        DWORD expected = (!strcmp(d.name, "TopmostAlways") || !strcmp(d.name, "TopmostMin")) ? 1 : 1 - d.value;
        EXPECT_EQ(Stored(d.name), expected) << d.name;
    }
    EXPECT_EQ(Stored("Version"), 52u);
}

struct Junk {
    const char *label;
    DWORD type;
    std::vector<uint8_t> bytes;
};

TEST_F(SettingsStore, JunkTakesTheDefaultAndIsWrittenBack)
{
    const Junk junk[] = {
        {"dword 2", REG_DWORD, {2, 0, 0, 0}},
        {"dword 7", REG_DWORD, {7, 0, 0, 0}},
        {"dword -1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"dword 0x100", REG_DWORD, {0, 1, 0, 0}},
        {"string 1", REG_SZ, {'1', 0}},
        {"string 0", REG_SZ, {'0', 0}},
        {"binary 1", REG_BINARY, {1}},
        {"binary 1 of 4 bytes", REG_BINARY, {1, 0, 0, 0}},
        {"qword 1", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"dword of 2 bytes", REG_DWORD, {1, 0}},
        {"dword of 8 bytes", REG_DWORD, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"empty", REG_NONE, {}},
    };
    // One junk kind per value, cycling, so every flag gets repaired at least once.
    size_t i = 0;
    for (const Default &d : DEFAULTS) {
        const Junk &j = junk[i++ % (sizeof junk / sizeof junk[0])];
        host::SetSettingRaw(d.name, j.type, j.bytes.data(), DWORD(j.bytes.size()));
    }
    StartPlugin();
    i = 0;
    for (const Default &d : DEFAULTS)
        EXPECT_EQ(Stored(d.name), d.value) << d.name << " stored as " << junk[i++ % (sizeof junk / sizeof junk[0])].label;
}

// An earlier install kept the settings for the machine: a user without a
// key of their own starts from them, repaired, and the machine's key is
// only read.
TEST_F(SettingsStore, TheMachinesKeyOfAnEarlierInstallIsTakenOverAndLeftAlone)
{
    for (const Default &d : DEFAULTS)
        host::SetSettingDword(d.name, 1 - d.value, host::MACHINE);
    host::SetSettingDword("Menu", 7, host::MACHINE);
    StartPlugin();
    for (const Default &d : DEFAULTS) {
        EXPECT_EQ(Stored(d.name), !strcmp(d.name, "Menu") ? 0u : 1 - d.value) << d.name;
        DWORD machine = 99;
        EXPECT_TRUE(host::ReadSettingDword(d.name, &machine, host::MACHINE));
        EXPECT_EQ(machine, !strcmp(d.name, "Menu") ? 7u : 1 - d.value) << d.name;
    }
    EXPECT_EQ(Stored("Version"), 52u);
    DWORD version;
    EXPECT_FALSE(host::ReadSettingDword("Version", &version, host::MACHINE));
}

TEST_F(SettingsStore, TheFlagsInMemoryFollowTheRepair)
{
    // "Menu" 2 loads as 0 and "Skin" 7 as 1; seen through start-up: with the
    // skin repaired to 1 and the winamp flag 0, no "Winamp v1.x" window exists.
    host::SetSettingDword("Menu", 2);
    host::SetSettingDword("Skin", 7);
    host::SetSettingDword("WinAmp", 0);
    StartPlugin();
    EXPECT_EQ(Stored("Menu"), 0u);
    EXPECT_EQ(Stored("Skin"), 1u);
    EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr);
}

} // namespace
