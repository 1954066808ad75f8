// The settings key: start-up load with repair, and single-value saves.
#include "settings/settings.h"

#include <array>
#include <cstring>
#include <cwchar>

SettingsFlags Settings;

namespace {

struct SettingRow {
    const char *name;
    uint32_t SettingsFlags::*flag;
    uint32_t defaultValue;
};

// Load order, which is also the order of the repairs written back.
constexpr std::array<SettingRow, 16> SETTING_ROWS = {{
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
    {"MediaControls", &SettingsFlags::MediaControls, 1},
    {"Cover", &SettingsFlags::Cover, 0},
}};

// The text values' names, in TextSetting order.
constexpr std::array<const wchar_t *, TEXT_SETTING_COUNT> TEXT_SETTING_NAMES = {L"LineFormat"};
// A stored text beyond this is not read at all: the registry lets a value
// grow far past anything the user typed.
constexpr DWORD TEXT_SETTING_READ_LIMIT = 64 * 1024;

// Written by the dialog's thread while the track worker reads them: each
// copy is taken whole, under the flag.
TextSettingValue textSettings[TEXT_SETTING_COUNT];
volatile LONG textSettingsHeld;

struct TextSettingsLock {
    TextSettingsLock()
    {
        while (InterlockedCompareExchange(&textSettingsHeld, 1, 0) != 0)
            Sleep(1);
    }
    ~TextSettingsLock() { InterlockedExchange(&textSettingsHeld, 0); }
};

void KeepTextSetting(TextSetting which, const wchar_t *text, size_t units)
{
    units = WholeCharacterUnits(text, units, TEXT_SETTING_UNITS);
    TextSettingsLock held;
    memcpy(textSettings[which], text, units * sizeof(wchar_t));
    textSettings[which][units] = 0;
}

// The text up to its first zero; a stored value need not end in one.
void ReadTextSetting(HKEY key, TextSetting which)
{
    DWORD type = REG_NONE, size = 0;
    const wchar_t *name = TEXT_SETTING_NAMES[which];
    wchar_t *text = nullptr;
    if (key && RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
        size <= TEXT_SETTING_READ_LIMIT)
        text = static_cast<wchar_t *>(HeapAlloc(GetProcessHeap(), 0, size + sizeof(wchar_t)));
    size_t units = 0;
    if (text && RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) == ERROR_SUCCESS &&
        type == REG_SZ)
        units = wcsnlen(text, size / sizeof(wchar_t));
    KeepTextSetting(which, text ? text : L"", units);
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
}

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

// Settings live per user: a player started as a standard user (or as an
// administrator under UAC, with its manifest asking for "asInvoker") may
// neither create nor write the machine's key, and is given no virtualized
// copy of it, so every change would be gone at the next start. A user
// without a key of their own starts from the machine's key of an earlier
// install, read only, never created; that module was 32-bit, so its key is
// in the 32-bit view of the machine's registry, whichever build reads it.
void LoadSettings()
{
    HKEY key = nullptr;
    bool carryOver = RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS;
    if (carryOver && RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        key = nullptr;
    uint32_t values[SETTING_ROWS.size()];
    for (size_t i = 0; i < SETTING_ROWS.size(); ++i)
        values[i] = key ? ReadFlag(key, SETTING_ROWS[i].name) : NOT_A_FLAG;
    // Texts are not repaired: what the user wrote stays stored as written.
    for (size_t i = 0; i < TEXT_SETTING_COUNT; ++i)
        ReadTextSetting(key, TextSetting(i));
    if (key)
        RegCloseKey(key);

    key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    for (size_t i = 0; i < SETTING_ROWS.size(); ++i) {
        const SettingRow &row = SETTING_ROWS[i];
        bool valid = values[i] == 0 || values[i] == 1;
        Settings.*row.flag = valid ? values[i] : row.defaultValue;
        if (key && (carryOver || !valid))
            WriteFlag(key, row.name, Settings.*row.flag);
    }
    if (key) {
        WriteFlag(key, "Version", SETTINGS_VERSION);
        RegCloseKey(key);
    }
}

void SaveSetting(const char *valueName, uint32_t flag)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    WriteFlag(key, valueName, flag);
    RegCloseKey(key);
}

bool ReadSettingText(const char *valueName, char *text, size_t size)
{
    HKEY key = nullptr;
    if (size == 0 || RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    DWORD length = DWORD(size - 1);
    LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE *>(text), &length);
    RegCloseKey(key);
    // A value too long for the buffer, or not text, counts as missing; the
    // stored text need not end in a zero.
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        text[0] = '\0';
        return false;
    }
    text[length] = '\0';
    return text[0] != '\0';
}

void SaveSettingText(const char *valueName, const char *text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (text)
        RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(text), DWORD(strlen(text) + 1));
    else
        RegDeleteValueA(key, valueName);
    RegCloseKey(key);
}

size_t WholeCharacterUnits(const wchar_t *text, size_t units, size_t limit)
{
    if (units <= limit)
        return units;
    // A surrogate pair is one character.
    return limit > 0 && IS_HIGH_SURROGATE(text[limit - 1]) && IS_LOW_SURROGATE(text[limit]) ? limit - 1 : limit;
}

void CopyTextSetting(TextSetting which, TextSettingValue &text)
{
    TextSettingsLock held;
    memcpy(text, textSettings[which], sizeof text);
}

bool TextSettingEmpty(TextSetting which)
{
    TextSettingsLock held;
    return textSettings[which][0] == 0;
}

void SaveTextSetting(TextSetting which, const wchar_t *text)
{
    KeepTextSetting(which, text, wcslen(text));
    TextSettingValue kept;
    CopyTextSetting(which, kept);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (kept[0])
        RegSetValueExW(key, TEXT_SETTING_NAMES[which], 0, REG_SZ, reinterpret_cast<const BYTE *>(kept),
                       DWORD((wcslen(kept) + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(key, TEXT_SETTING_NAMES[which]);
    RegCloseKey(key);
}
