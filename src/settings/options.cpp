// The "Plugin Options" dialog: every click changes a flag, stores it and
// switches the feature at once. There is no Apply and no undo.
#include "settings/settings.h"

#include <array>

#include "mainwindow/mainwindow.h"
#include "mainwindow/mediakeys.h"
#include "mediacontrols/mediacontrols.h"
#include "nowplaying/outputs.h"
#include "nowplaying/songpath.h"
#include "plugin/plugin.h"
#include "resources/resource.h"
#include "nowplaying/coverfile.h"
#include "settings/nowplayingrows.h"
#include "settings/optionslayout.h"
#include "settings/songfolder.h"
#include "skin/skin.h"

namespace {

constexpr char DONT_OFFSET_TEXT[] = "Don't offset the titlebar";
constexpr char FILE_TEXT[] = "Create a file in the iTunes folder for the current track information";
constexpr char MULTIMEDIA_TEXT[] = "Make Multimedia keys work when the iTunes window is not active";
// Not in the template: added under the multimedia keys' box when the dialog
// opens.
constexpr char MEDIA_CONTROLS_TEXT[] = "Show iTunes in Windows' media controls (Windows 10 and later)";

// Controls are found by their texts, as other tools that script this dialog
// expect; the ids only route WM_COMMAND.
HWND FindButton(HWND dialog, const char *text)
{
    return FindWindowExA(dialog, nullptr, "Button", text);
}

// Posted, so the mark changes when the dialog's loop takes it, after the
// handler has returned.
void PostCheck(HWND dialog, const char *text, uint32_t checked)
{
    PostMessageA(FindButton(dialog, text), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- check boxes ----------------------------------------------------------

void PostOffsetCheck(HWND dialog)
{
    PostCheck(dialog, DONT_OFFSET_TEXT, Settings.Offset == 0);
}

void SkinStep(HWND dialog, uint32_t on)
{
    HWND box = FindButton(dialog, DONT_OFFSET_TEXT);
    if (on) {
        ShowWindow(box, SW_SHOW);
        PostOffsetCheck(dialog);
        EnableSkin();
    } else {
        ShowWindow(box, SW_HIDE);
        DisableSkin();
    }
}

void MultimediaStep(HWND, uint32_t on)
{
    if (on)
        InstallMediaKeyHook();
    else
        RemoveMediaKeyHook();
}

void MediaControlsStep(HWND, uint32_t on)
{
    if (on)
        StartMediaControls();
    else
        EndMediaControls();
}

void WinAmpStep(HWND, uint32_t on)
{
    if (!on) {
        DestroyWinampWindow();
        return;
    }
    wchar_t title[NOW_PLAYING_TEXT_SIZE + 16];
    ComposeWinampCreationTitle(title, NOW_PLAYING_TEXT_SIZE + 16);
    CreateWinampWindow(title);
}

// The song file, its twin and the line go together.
void FileStep(HWND, uint32_t on)
{
    if (!on)
        DeleteNowPlayingFiles(FILE_OPTION_PARTS);
}

// Switched on, the picture comes with the next change of track, art or play
// state: the art is the track worker's.
void CoverStep(HWND, uint32_t on)
{
    if (!on)
        DeleteCoverFile();
}

void CaptionStep(HWND, uint32_t on)
{
    if (!on)
        RestoreCaption();
}

void OffsetStep(HWND, uint32_t)
{
    ChangeTitleOffset();
}

struct CheckBoxRow {
    int id;
    const char *text;
    uint32_t SettingsFlags::*flag;
    const char *valueName;
    void (*step)(HWND dialog, uint32_t on); // nullptr: the flag is read later
};

// WM_INITDIALOG marks them in this order but the offset box, which shows
// the inverse of its flag and only while the skin is on.
constexpr std::array<CheckBoxRow, 11> CHECK_BOXES = {{
    {IDC_SKIN, "Skin the titlebar", &SettingsFlags::Skin, "Skin", SkinStep},
    {IDC_MULTIMEDIA, MULTIMEDIA_TEXT, &SettingsFlags::Multimedia, "Multimedia", MultimediaStep},
    {IDC_CLIPBOARD, "Copy the current song name to the clipboard when you start playing a song",
     &SettingsFlags::Clipboard, "Clipboard", nullptr},
    {IDC_WINAMP, "Make programs recognize iTunes as WinAmp", &SettingsFlags::WinAmp, "WinAmp", WinAmpStep},
    {IDC_FILE, FILE_TEXT, &SettingsFlags::File, "File", FileStep},
    {IDC_CAPTION, "Change the caption of the iTunes window to \"Artist - Song - iTunes\"", &SettingsFlags::CaptionText,
     "CaptionText", CaptionStep},
    {IDC_MENU, "Make ObjectBar recognize iTunes's menu", &SettingsFlags::Menu, "Menu", nullptr},
    {IDC_TRAY, "Minimize to tray (Enable the iTunes tray icon first)", &SettingsFlags::Tray, "Tray", nullptr},
    {IDC_DONT_OFFSET, DONT_OFFSET_TEXT, &SettingsFlags::Offset, "Offset", OffsetStep},
    // Added to the dialog when it opens.
    {IDC_MEDIA_CONTROLS, MEDIA_CONTROLS_TEXT, &SettingsFlags::MediaControls, "MediaControls", MediaControlsStep},
    {IDC_COVER, COVER_TEXT, &SettingsFlags::Cover, "Cover", CoverStep},
}};

// ---- radio buttons --------------------------------------------------------

bool IsMiniMode()
{
    return WindowHeight(hostMainWindow) < MiniModeHeight(hostMainWindow);
}

void SetHostTopmost(HWND after)
{
    SetWindowPos(hostMainWindow, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// On top with the taskbar entry wanted: a tool window would hide it.
void ShowInTaskbarUnlessNotOnTopOnly()
{
    if (!Settings.ShowInAltTab && HasExStyle(hostMainWindow, WS_EX_TOOLWINDOW))
        RemoveToolWindowStyle(hostMainWindow);
}

// Each step returns whether the window is hidden and shown again, so the
// taskbar picks up the changed style.
bool OnTopAlwaysStep()
{
    SetHostTopmost(HWND_TOPMOST);
    ShowInTaskbarUnlessNotOnTopOnly();
    return true;
}

bool OnTopNeverStep()
{
    SetHostTopmost(HWND_NOTOPMOST);
    return false;
}

// In full mode the z-order waits for the next WM_SIZE of the main window.
bool OnTopMiniStep()
{
    bool mini = IsMiniMode();
    if (mini)
        SetHostTopmost(HWND_TOPMOST);
    ShowInTaskbarUnlessNotOnTopOnly();
    return mini;
}

bool TaskbarAlwaysStep()
{
    if (HasExStyle(hostMainWindow, WS_EX_TOOLWINDOW))
        RemoveToolWindowStyle(hostMainWindow);
    return true;
}

// The main window's taskbar rule sets the style while it is hidden and shown.
bool TaskbarByRuleStep()
{
    return true;
}

bool TaskbarFullModeStep()
{
    if (IsMiniMode() && !HasExStyle(hostMainWindow, WS_EX_TOOLWINDOW))
        AddToolWindowStyle(hostMainWindow);
    return true;
}

struct GroupFlag {
    uint32_t SettingsFlags::*flag;
    const char *valueName;
};

// The flags of a group in the order they are saved.
constexpr std::array<GroupFlag, 2> ON_TOP_FLAGS = {{
    {&SettingsFlags::TopmostAlways, "TopmostAlways"},
    {&SettingsFlags::TopmostMin, "TopmostMin"},
}};
constexpr std::array<GroupFlag, 3> TASKBAR_FLAGS = {{
    {&SettingsFlags::ToolwindowMinimode, "ToolwindowMinimode"},
    {&SettingsFlags::ShowInAltTab, "ShowInAltTab"},
    {&SettingsFlags::NeverTaskbar, "NeverTaskbar"},
}};

enum RadioGroup { ON_TOP, TASKBAR };

struct RadioRow {
    RadioGroup group;
    int id;
    const char *text;
    // The one flag of the group the button sets to 1 (all others become 0);
    // nullptr for the button that means "all 0".
    uint32_t SettingsFlags::*flag;
    bool (*step)();
};

// Template order inside each group, which is the order of the posted marks.
constexpr std::array<RadioRow, 7> RADIO_BUTTONS = {{
    {ON_TOP, IDC_ON_TOP_ALWAYS, "Always", &SettingsFlags::TopmostAlways, OnTopAlwaysStep},
    {ON_TOP, IDC_ON_TOP_NEVER, "Never", nullptr, OnTopNeverStep},
    {ON_TOP, IDC_ON_TOP_MINI, "Only when in Mini Mode", &SettingsFlags::TopmostMin, OnTopMiniStep},
    {TASKBAR, IDC_TASKBAR_ALWAYS, "Always ", nullptr, TaskbarAlwaysStep},
    {TASKBAR, IDC_TASKBAR_NEVER, "Never ", &SettingsFlags::NeverTaskbar, TaskbarByRuleStep},
    {TASKBAR, IDC_TASKBAR_NOT_ON_TOP, "Only when iTunes is not Always On Top", &SettingsFlags::ShowInAltTab,
     TaskbarByRuleStep},
    {TASKBAR, IDC_TASKBAR_FULL_MODE, "Only when iTunes is in full mode", &SettingsFlags::ToolwindowMinimode,
     TaskbarFullModeStep},
}};

// Which button WM_INITDIALOG marks: the first whose flag is set, else the
// one that means "all 0".
constexpr std::array<int, 3> ON_TOP_INIT_ORDER = {IDC_ON_TOP_ALWAYS, IDC_ON_TOP_MINI, IDC_ON_TOP_NEVER};
constexpr std::array<int, 4> TASKBAR_INIT_ORDER = {IDC_TASKBAR_FULL_MODE, IDC_TASKBAR_NEVER, IDC_TASKBAR_NOT_ON_TOP,
                                                   IDC_TASKBAR_ALWAYS};

const RadioRow *FindRadio(int id)
{
    for (const RadioRow &row : RADIO_BUTTONS)
        if (row.id == id)
            return &row;
    return nullptr;
}

template <size_t N>
void SaveGroup(const std::array<GroupFlag, N> &flags, uint32_t SettingsFlags::*chosen)
{
    for (const GroupFlag &f : flags) {
        Settings.*f.flag = f.flag == chosen;
        SaveSetting(f.valueName, Settings.*f.flag);
    }
}

template <size_t N>
void MarkInitialRadio(HWND dialog, const std::array<int, N> &order)
{
    for (int id : order) {
        const RadioRow *row = FindRadio(id);
        if (!row->flag || Settings.*row->flag) {
            PostCheck(dialog, row->text, 1);
            return;
        }
    }
}

// ---- the dialog -----------------------------------------------------------

void CentreOverHost(HWND dialog)
{
    RECT host = {}, own = {};
    GetWindowRect(hostMainWindow, &host);
    GetWindowRect(dialog, &own);
    int hostWidth = host.right - host.left, hostHeight = host.bottom - host.top;
    int width = own.right - own.left, height = own.bottom - own.top;
    MoveWindow(dialog, host.left + hostWidth / 2 - width / 2, host.top + hostHeight / 2 - height / 2, width, height,
               FALSE);
}

// The controls the template lacks are added first, so that the marks reach
// them too.
INT_PTR OnInitDialog(HWND dialog)
{
    InsertCheckBoxBelow(dialog, FindButton(dialog, MULTIMEDIA_TEXT), IDC_MEDIA_CONTROLS, MEDIA_CONTROLS_TEXT);
    FitOptionsDialog(dialog);
    AddNowPlayingRows(dialog, AddSongFileRow(dialog, FindButton(dialog, FILE_TEXT)));
    for (const CheckBoxRow &row : CHECK_BOXES)
        if (row.id != IDC_DONT_OFFSET)
            PostCheck(dialog, row.text, Settings.*row.flag);
    if (Settings.Skin)
        PostOffsetCheck(dialog);
    else
        ShowWindow(FindButton(dialog, DONT_OFFSET_TEXT), SW_HIDE);
    MarkInitialRadio(dialog, TASKBAR_INIT_ORDER);
    MarkInitialRadio(dialog, ON_TOP_INIT_ORDER);
    CentreOverHost(dialog);
    return TRUE;
}

void OnCheckBox(HWND dialog, const CheckBoxRow &row)
{
    Settings.*row.flag = Settings.*row.flag ? 0 : 1;
    SaveSetting(row.valueName, Settings.*row.flag);
    if (row.step)
        row.step(dialog, Settings.*row.flag);
}

// The buttons are not automatic: the whole group's marks are posted here,
// and a click on the checked button writes and redisplays again.
void OnRadio(HWND dialog, const RadioRow &clicked)
{
    for (const RadioRow &row : RADIO_BUTTONS)
        if (row.group == clicked.group)
            PostCheck(dialog, row.text, row.id == clicked.id);
    if (clicked.group == ON_TOP)
        SaveGroup(ON_TOP_FLAGS, clicked.flag);
    else
        SaveGroup(TASKBAR_FLAGS, clicked.flag);
    if (clicked.step())
        HideAndRedisplay();
}

// The buttons' notification code is not looked at, so a double click
// (BN_DBLCLK) on a radio button acts as a click.
INT_PTR OnCommand(HWND dialog, int id, WORD notification)
{
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    for (const CheckBoxRow &row : CHECK_BOXES)
        if (row.id == id)
            OnCheckBox(dialog, row);
    if (const RadioRow *row = FindRadio(id))
        OnRadio(dialog, *row);
    if (id == IDC_SONG_FOLDER)
        ChooseSongFolderFromDialog(dialog);
    if (id == IDC_LINE_FORMAT)
        OnLineFormatCommand(dialog, notification);
    return FALSE;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        ReleaseOptionsDialogFont();
        return FALSE;
    }
    return FALSE;
}

} // namespace

void ShowOptionsDialog()
{
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_OPTIONS), hostMainWindow, OptionsDialogProc, 0);
}
