// The settings key: start-up load with repair, and single-value saves.
#include "settings/settings.h"

#include <array>

SettingsFlags Settings;

namespace {

struct SettingRow {
    const char *name;
    uint32_t SettingsFlags::*flag;
    uint32_t defaultValue;
};

// Load order, which is also the order of the repairs written back.
constexpr std::array<SettingRow, 14> SETTING_ROWS = {{
    {"Skin", &SettingsFlags::Skin, 1},
    {"Multimedia", &SettingsFlags::Multimedia, 0},
    {"Clipboard", &SettingsFlags::Clipboard, 0},
    {"TopmostMin", &SettingsFlags::TopmostMin, 0},
    {"TopmostAlways", &SettingsFlags::TopmostAlways, 0},
    {"ShowInAltTab", &SettingsFlags::ShowInAltTab, 0},
    {"WinAmp", &SettingsFlags::WinAmp, 1},
    {"File", &SettingsFlags::File, 0},
    {"CaptionText", &SettingsFlags::CaptionText, 1},
    {"Menu", &SettingsFlags::Menu, 0},
    {"Tray", &SettingsFlags::Tray, 0},
    {"NeverTaskbar", &SettingsFlags::NeverTaskbar, 0},
    {"Offset", &SettingsFlags::Offset, 1},
    {"ToolwindowMinimode", &SettingsFlags::ToolwindowMinimode, 0},
}};

constexpr uint32_t SETTINGS_VERSION = 52;
constexpr uint32_t NOT_A_FLAG = 7;

void WriteFlag(HKEY key, const char *name, uint32_t value)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
}

// Only a 4-byte REG_DWORD holding 0 or 1 is a flag; a string "1", a binary
// blob or a QWORD would otherwise be half-read into the variable.
uint32_t ReadFlag(HKEY key, const char *name)
{
    uint32_t value = NOT_A_FLAG;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return NOT_A_FLAG;
    return value;
}

} // namespace

void LoadSettings()
{
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, &key);
    for (const SettingRow &row : SETTING_ROWS) {
        uint32_t value = ReadFlag(key, row.name);
        if (value == 0 || value == 1) {
            Settings.*row.flag = value;
        } else {
            Settings.*row.flag = row.defaultValue;
            WriteFlag(key, row.name, row.defaultValue);
        }
    }
    WriteFlag(key, "Version", SETTINGS_VERSION);
    RegCloseKey(key);
}

void SaveSetting(const char *valueName, uint32_t flag)
{
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, &key);
    WriteFlag(key, valueName, flag);
    RegCloseKey(key);
}
