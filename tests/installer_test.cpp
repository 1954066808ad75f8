// The installer, run silently the way an administrator would, against a
// substitute player folder found through the registry.
#include <gtest/gtest.h>

#include <cstdint>
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

bool KeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

const char *const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bramblecourt";

class Installer : public ::testing::Test {
protected:
    void SetUp() override
    {
        setup = ProgramFolder() + "\\Bramblecourt-Setup.exe";
        ASSERT_TRUE(Exists(setup)) << "the build made no installer";
        // The installer is a 32-bit program, which some machines that run
        // the 64-bit suite cannot start at all; the 32-bit suite always
        // runs these tests.
        if (sizeof(void *) == 8 && !CanStart(setup))
            GTEST_SKIP() << "this machine cannot start the 32-bit installer (error " << GetLastError() << ")";
        folder = PlayerFolder();
        CreateDirectoryA(folder.c_str(), nullptr);
        plugins = folder + "\\Plug-ins";
        DeleteFileA((plugins + "\\Bramblecourt.dll").c_str());
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
    EXPECT_EQ(Contents(installed), Contents(ProgramFolder() + "\\Bramblecourt.dll"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));

    Uninstall("");
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
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

// A 32-bit module never loads into a 64-bit player: Setup says so and
// installs nothing, rather than succeed for nothing.
TEST_F(Installer, RefusesA64BitPlayer)
{
    const struct {
        uint16_t machine;
        DWORD exitCode;
    } players[] = {{0x8664, 2}, {0xAA64, 2}, {0x14C, 0}};
    for (const auto &player : players) {
        SCOPED_TRACE(player.machine);
        WriteStandInPlayer(folder + "\\iTunes.exe", player.machine);
        DWORD code = 99;
        ASSERT_TRUE(RunToEnd("\"" + setup + "\" /S", &code));
        EXPECT_EQ(code, player.exitCode);
        EXPECT_EQ(Exists(plugins + "\\Bramblecourt.dll"), player.exitCode == 0);
    }
    DeleteFileA((folder + "\\iTunes.exe").c_str());
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
