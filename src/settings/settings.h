// The option flags and the user's text values, mirrored from the registry.
// Every subsystem reads the flags directly; only the start-up load and the
// options dialog write them.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

// Each flag is one aligned 32-bit word, so the worker threads and the hook
// read either the old or the new value without a lock.
struct SettingsFlags {
    uint32_t Skin;
    uint32_t Multimedia;
    uint32_t Clipboard;
    uint32_t TopmostMin;
    uint32_t TopmostAlways;
    uint32_t ShowInAltTab;
    uint32_t WinAmp;
    uint32_t File;
    uint32_t CaptionText;
    uint32_t Menu;
    uint32_t Tray;
    uint32_t NeverTaskbar;
    uint32_t Offset;
    uint32_t ToolwindowMinimode;
    // The player's session in Windows' media controls.
    uint32_t MediaControls;
    uint32_t Cover;
};

extern SettingsFlags Settings;

constexpr char SETTINGS_KEY[] = "Software\\Apple Computer, Inc.\\iTunes\\Quorvane";

// The key is under HKEY_CURRENT_USER; the machine's key of the same name is
// only read, once, to carry settings of an earlier install over.
void LoadSettings();
void SaveSetting(const char *valueName, uint32_t flag);
// REG_SZ values of the same key. Reading gives false, with an empty text,
// for a value that is missing, empty, not REG_SZ or longer than the buffer;
// saving nullptr deletes the value.
bool ReadSettingText(const char *valueName, char *text, size_t size);
void SaveSettingText(const char *valueName, const char *text);

// The values the user writes (UTF-16 REG_SZ), each held in memory at most
// TEXT_SETTING_UNITS long: a longer one is cut at a whole character. Empty
// when missing or not REG_SZ.
enum TextSetting { LINE_FORMAT, TEXT_SETTING_COUNT };
constexpr size_t TEXT_SETTING_UNITS = 1024;
using TextSettingValue = wchar_t[TEXT_SETTING_UNITS + 1];
// A whole copy, on any thread.
void CopyTextSetting(TextSetting which, TextSettingValue &text);
bool TextSettingEmpty(TextSetting which);
// In memory at once, then in the registry; an empty text deletes the
// value. On the options dialog's thread.
void SaveTextSetting(TextSetting which, const wchar_t *text);
// How many of the text's `units` to keep so that at most `limit` remain
// and no character is split.
size_t WholeCharacterUnits(const wchar_t *text, size_t units, size_t limit);

// The options dialog; opened modally over the host main window.
void ShowOptionsDialog();
