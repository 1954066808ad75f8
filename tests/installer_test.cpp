// The installer, run silently the way an administrator would, against a
// substitute player folder found through the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "host.h"

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.rfind('\\'));
}

std::string PlayerFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "Substitute Player";
}

// The other machine type's build folder of programs.
std::string OtherBuildFolder()
{
#ifdef OTHER_BUILD_BIN
    std::string path = ProgramFolder() + "\\" + OTHER_BUILD_BIN;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
#else
    return ProgramFolder() + "\\(no other build)";
#endif
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Contents(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Runs a program to its end; false when it did not start or did not end.
bool RunToEnd(const std::string &commandLine, DWORD *exitCode)
{
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

bool CanStart(const std::string &program)
{
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process))
        return false;
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Setup keeps its uninstall entry in the 32-bit view, the shipped Setup's own.
bool UninstallEntryExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bramblecourt", 0,
                      KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The player's executable as far as Setup reads it: the DOS header's
// pointer to "PE\0\0" and the machine type after it.
void WriteStandInPlayer(const std::string &path, uint16_t machine)
{
    std::string image(0x200, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = char(0x80);
    image.replace(0x80, 4, std::string("PE\0\0", 4));
    image[0x84] = char(machine & 0xFF);
    image[0x85] = char(machine >> 8);
    std::ofstream(path, std::ios::binary) << image;
}

// The machine type in a PE file's header; 0 when it is none.
WORD MachineOf(const std::string &path)
{
    std::string image = Contents(path);
    uint32_t header = 0;
    if (image.size() < 0x40)
        return 0;
    memcpy(&header, &image[0x3C], sizeof header);
    if (image.size() < size_t(header) + 6 || image.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return 0;
    WORD machine;
    memcpy(&machine, &image[header + 4], sizeof machine);
    return machine;
}

// The player in the folder: a program of the build of that machine type
// (this build's or the other's), a bare header for a machine type neither
// build makes, or none (machine 0).
void PlaceStandInPlayer(const std::string &folder, WORD machine)
{
    std::string player = folder + "\\iTunes.exe";
    DeleteFileA(player.c_str());
    if (machine == 0)
        return;
    if (machine != IMAGE_FILE_MACHINE_I386 && machine != IMAGE_FILE_MACHINE_AMD64) {
        WriteStandInPlayer(player, machine);
        return;
    }
    bool ours = (machine == IMAGE_FILE_MACHINE_AMD64) == (sizeof(void *) == 8);
    std::string program = (ours ? ProgramFolder() : OtherBuildFolder()) + "\\hostile_peer.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), player.c_str(), FALSE)) << program;
}

const WORD OUR_MACHINE = sizeof(void *) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;

class Installer : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The shipped Setup is a 32-bit program, which some machines that
        // run the 64-bit suite cannot start; there the 64-bit build's copy
        // of the same script stands in.
        setup = (sizeof(void *) == 8 ? OtherBuildFolder() : ProgramFolder()) + "\\Bramblecourt-Setup.exe";
        if (sizeof(void *) == 8 && !CanStart(setup))
            setup = ProgramFolder() + "\\Bramblecourt-Setup-x64-test.exe";
        ASSERT_TRUE(Exists(setup)) << "the build made no installer";
        std::printf("Setup under test: %s\n", setup.c_str());
        folder = PlayerFolder();
        CreateDirectoryA(folder.c_str(), nullptr);
        plugins = folder + "\\Plug-ins";
        DeleteFileA((plugins + "\\Bramblecourt.dll").c_str());
        ASSERT_NO_FATAL_FAILURE(PlaceStandInPlayer(folder, OUR_MACHINE));
        host::SetHostExecutablePath((folder + "\\iTunes.exe").c_str());
    }
    void Install()
    {
        DWORD code = 1;
        ASSERT_TRUE(RunToEnd("\"" + setup + "\" /S", &code));
        ASSERT_EQ(code, 0u);
    }
    // _?= keeps the uninstaller in place, so its end is the uninstall's end.
    void Uninstall(const std::string &options)
    {
        DWORD code = 1;
        ASSERT_TRUE(RunToEnd("\"" + plugins + "\\Bramblecourt-Uninstall.exe\" /S " + options + " _?=" + plugins, &code));
        ASSERT_EQ(code, 0u);
    }
    std::string setup, folder, plugins;
};

TEST_F(Installer, PutsTheModuleWhereThePlayerLooksAndTakesItAwayAgain)
{
    host::SetSettingDword("Skin", 0);
    Install();
    std::string installed = plugins + "\\Bramblecourt.dll";
    ASSERT_TRUE(Exists(installed));
    EXPECT_TRUE(Contents(installed) == Contents(ProgramFolder() + "\\Bramblecourt.dll")) << "not this build's module";
    EXPECT_TRUE(UninstallEntryExists());

    Uninstall("");
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(UninstallEntryExists());
    DWORD skin = 1;
    EXPECT_TRUE(host::ReadSettingDword("Skin", &skin)) << "settings are kept unless the user asks";
    EXPECT_EQ(skin, 0u);
}

TEST_F(Installer, RemovesTheSettingsWhenAsked)
{
    host::SetSettingDword("Skin", 0);
    host::SetSettingDword("Skin", 0, host::MACHINE);
    Install();
    Uninstall("/REMOVESETTINGS");
    EXPECT_FALSE(Exists(plugins + "\\Bramblecourt.dll"));
    EXPECT_FALSE(host::SettingsKeyExists(host::USER));
    EXPECT_FALSE(host::SettingsKeyExists(host::MACHINE)) << "an earlier install's";
}

// Setup installs the module that the player loads, the 32-bit one where no
// iTunes.exe tells, and refuses a player that loads neither (ARM64) rather
// than install something that never starts.
TEST_F(Installer, InstallsTheModuleThePlayerLoads)
{
    const struct {
        WORD player;
        DWORD exitCode;
        WORD installed;
    } players[] = {
        {IMAGE_FILE_MACHINE_I386, 0, IMAGE_FILE_MACHINE_I386},
        {IMAGE_FILE_MACHINE_AMD64, 0, IMAGE_FILE_MACHINE_AMD64},
        {0, 0, IMAGE_FILE_MACHINE_I386},
        {IMAGE_FILE_MACHINE_ARM64, 2, 0},
    };
    std::string installed = plugins + "\\Bramblecourt.dll";
    for (const auto &player : players) {
        SCOPED_TRACE(testing::Message() << "player machine 0x" << std::hex << player.player);
        DeleteFileA(installed.c_str());
        ASSERT_NO_FATAL_FAILURE(PlaceStandInPlayer(folder, player.player));
        DWORD code = 99;
        ASSERT_TRUE(RunToEnd("\"" + setup + "\" /S", &code));
        EXPECT_EQ(code, player.exitCode);
        EXPECT_EQ(MachineOf(installed), player.installed);
    }
    Uninstall("");
}

TEST_F(Installer, FindsAQuotedPathWithAnIconIndex)
{
    host::SetHostExecutablePath(("\"" + folder + "\\iTunes.exe\",1").c_str());
    Install();
    EXPECT_TRUE(Exists(plugins + "\\Bramblecourt.dll"));
    Uninstall("");
}

} // namespace
