// The fourteen option flags, mirrored from the registry. Every subsystem reads
// them directly; only the start-up load and the options dialog write them.
#pragma once
#include <windows.h>
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
};

extern SettingsFlags Settings;

constexpr char SETTINGS_KEY[] = "Software\\Apple Computer, Inc.\\iTunes\\Quorvane";

void LoadSettings();
void SaveSetting(const char *valueName, uint32_t flag);

// The options dialog; opened modally over the host main window.
void ShowOptionsDialog();
