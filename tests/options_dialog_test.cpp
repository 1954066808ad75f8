// The "Plugin Options" dialog as the user drives it: its template, the marks
// it shows for the stored settings, and what each click stores and does to
// the host window.
#include <cstring>

#include "dialog_driver.h"
#include "harness.h"
#include "resources/resource.h"

using namespace testing_support;

namespace {

const char *const ON_TOP_GROUP[] = {ON_TOP_ALWAYS, ON_TOP_NEVER, ON_TOP_MINI};
const char *const TASKBAR_GROUP[] = {TASKBAR_ALWAYS, TASKBAR_NEVER, TASKBAR_NOT_ON_TOP, TASKBAR_FULL};

DWORD Stored(const char *name)
{
    DWORD value = 99;
    host::ReadSettingDword(name, &value);
    return value;
}

bool HostHidden()
{
    return !IsWindowVisible(host::mainWindow);
}

bool HasExStyle(LONG bit)
{
    return (GetWindowLongA(host::mainWindow, GWL_EXSTYLE) & bit) != 0;
}

void SetToolWindow(bool on)
{
    LONG style = GetWindowLongA(host::mainWindow, GWL_EXSTYLE);
    SetWindowLongA(host::mainWindow, GWL_EXSTYLE, on ? style | WS_EX_TOOLWINDOW : style & ~WS_EX_TOOLWINDOW);
}

// ---- the template, read back from the module's resources -----------------

struct ControlSpec {
    int id;
    const char *className;
    DWORD style, exStyle;
    const char *text;
    short x, y, cx, cy;
};

const ControlSpec TEMPLATE_CONTROLS[] = {
    {1, "Button", 0x50010001, 0, "OK", 111, 247, 50, 14},
    {1002, "Button", 0x50010003, 0, SKIN, 11, 15, 86, 13},
    {1005, "Button", 0x50010003, 0, MULTIMEDIA, 11, 225, 233, 13},
    {1006, "Button", 0x50010003, 0, CLIPBOARD, 11, 28, 246, 13},
    {1011, "Button", 0x50010003, 0, WINAMP, 11, 199, 188, 13},
    {1012, "Button", 0x50010003, 0, FILE_BOX, 11, 41, 231, 13},
    {1013, "Button", 0x50010003, 0, CAPTION, 11, 54, 235, 13},
    {1015, "Button", 0x50010003, 0, MENU, 11, 212, 190, 13},
    {1018, "Button", 0x50010003, 0, TRAY, 11, 67, 186, 13},
    {1019, "Button", 0x50000004, 0x20, TASKBAR_ALWAYS, 132, 125, 54, 13},
    {1020, "Button", 0x50000004, 0x20, TASKBAR_NEVER, 132, 138, 52, 13},
    {1021, "Button", 0x50000004, 0x20, TASKBAR_NOT_ON_TOP, 132, 151, 133, 13},
    {-1, "Button", 0x50000007, 0, "Alt+Tab and Taskbar", 125, 94, 143, 86},
    {-1, "Static", 0x50020000, 0, "When would you like iTunes to be shown in Alt+Tab and in the taskbar?", 133, 105,
     134, 23},
    {-1, "Button", 0x50000007, 0, "Always-On-Top", 5, 94, 115, 86},
    {1022, "Button", 0x50000004, 0x20, ON_TOP_ALWAYS, 9, 125, 66, 13},
    {1023, "Button", 0x50000004, 0x20, ON_TOP_NEVER, 9, 138, 53, 13},
    {-1, "Static", 0x50020000, 0, "When would you like iTunes to be Always-On-Top?", 10, 105, 107, 23},
    {1025, "Button", 0x50000004, 0, ON_TOP_MINI, 9, 151, 93, 13},
    {-1, "Button", 0x50000007, 0, "General", 5, 5, 263, 82},
    {-1, "Button", 0x50000007, 0, "Compatibility", 5, 188, 263, 55},
    {1027, "Button", 0x50010003, 0, DONT_OFFSET, 115, 15, 96, 13},
    {1028, "Button", 0x50000004, 0, TASKBAR_FULL, 132, 164, 133, 13},
};

// Reads a template string or atom; the classes of the template are atoms
// (0xFFFF, 0x0080 Button, 0x0082 Static).
std::string TakeText(const uint16_t *&p)
{
    if (*p == 0xFFFF) {
        uint16_t atom = p[1];
        p += 2;
        return atom == 0x80 ? "Button" : atom == 0x82 ? "Static" : "#" + std::to_string(atom);
    }
    std::string text;
    while (*p)
        text += char(*p++);
    ++p;
    return text;
}

template <typename T> T Take(const uint16_t *&p)
{
    T value;
    memcpy(&value, p, sizeof value);
    p += sizeof value / 2;
    return value;
}

class OptionsDialog : public HostTest {};

TEST_F(OptionsDialog, TemplateIsThePluginOptionsDialog)
{
    HRSRC found = FindResourceA(host::plugin, MAKEINTRESOURCEA(IDD_OPTIONS), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    auto p = static_cast<const uint16_t *>(LockResource(LoadResource(host::plugin, found)));
    EXPECT_EQ(Take<uint16_t>(p), 1);      // dlgVer
    EXPECT_EQ(Take<uint16_t>(p), 0xFFFF); // extended template
    EXPECT_EQ(Take<DWORD>(p), 0u);        // help id
    EXPECT_EQ(Take<DWORD>(p), 0u);        // extended style
    EXPECT_EQ(Take<DWORD>(p), 0x80C800C0u);
    ASSERT_EQ(Take<uint16_t>(p), 23);
    EXPECT_EQ(Take<short>(p), 0);
    EXPECT_EQ(Take<short>(p), 0);
    EXPECT_EQ(Take<short>(p), 274);
    EXPECT_EQ(Take<short>(p), 265);
    EXPECT_EQ(TakeText(p), "");                // no menu
    EXPECT_EQ(TakeText(p), "");                // standard class
    EXPECT_EQ(TakeText(p), "Plugin Options");
    EXPECT_EQ(Take<uint16_t>(p), 8);           // points
    EXPECT_EQ(Take<uint16_t>(p), 400);         // weight
    EXPECT_EQ(Take<uint16_t>(p), 0);           // italic and character set, a byte each
    EXPECT_EQ(TakeText(p), "Lucida Grande");
    for (const ControlSpec &c : TEMPLATE_CONTROLS) {
        SCOPED_TRACE(c.text);
        p = reinterpret_cast<const uint16_t *>((uintptr_t(p) + 3) & ~uintptr_t(3));
        EXPECT_EQ(Take<DWORD>(p), 0u); // help id
        EXPECT_EQ(Take<DWORD>(p), c.exStyle);
        EXPECT_EQ(Take<DWORD>(p), c.style);
        EXPECT_EQ(Take<short>(p), c.x);
        EXPECT_EQ(Take<short>(p), c.y);
        EXPECT_EQ(Take<short>(p), c.cx);
        EXPECT_EQ(Take<short>(p), c.cy);
        EXPECT_EQ(Take<int32_t>(p), c.id);
        EXPECT_EQ(TakeText(p), c.className);
        EXPECT_EQ(TakeText(p), c.text);
        uint16_t extra = Take<uint16_t>(p);
        EXPECT_EQ(extra, 0);
        p += extra / 2;
    }
}

// ---- WM_INITDIALOG --------------------------------------------------------

struct InitCase {
    const char *name;
    std::vector<Setting> stored;
    std::vector<const char *> checked; // every other button unchecked
    bool offsetBoxVisible;
};

class OptionsDialogInit : public HostTest, public ::testing::WithParamInterface<InitCase> {};

TEST_P(OptionsDialogInit, MarksTheStoredSettings)
{
    const InitCase &c = GetParam();
    for (const Setting &s : c.stored)
        host::SetSettingDword(s.name, s.value);
    StartPlugin();
    const char *const everyButton[] = {SKIN, MULTIMEDIA, CLIPBOARD, WINAMP, FILE_BOX, CAPTION, MENU, TRAY,
                                       DONT_OFFSET, TASKBAR_ALWAYS, TASKBAR_NEVER, TASKBAR_NOT_ON_TOP,
                                       TASKBAR_FULL, ON_TOP_ALWAYS, ON_TOP_NEVER, ON_TOP_MINI, COVER};
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        for (const char *button : everyButton) {
            bool expected = false;
            for (const char *on : c.checked)
                expected |= strcmp(on, button) == 0;
            EXPECT_EQ(CheckState(dialog, button), expected ? BST_CHECKED : BST_UNCHECKED) << '"' << button << '"';
        }
        EXPECT_EQ(IsWindowVisible(DialogButton(dialog, DONT_OFFSET)) != 0, c.offsetBoxVisible);
    }));
}

INSTANTIATE_TEST_SUITE_P(
    StoredSettings, OptionsDialogInit,
    ::testing::Values(
        InitCase{"Defaults", {}, {SKIN, WINAMP, CAPTION, TASKBAR_ALWAYS, ON_TOP_NEVER}, true},
        InitCase{"EveryFlagSet",
                 {{"Skin", 1}, {"Multimedia", 1}, {"Clipboard", 1}, {"TopmostMin", 1}, {"TopmostAlways", 1},
                  {"ShowInAltTab", 1}, {"WinAmp", 1}, {"File", 1}, {"CaptionText", 1}, {"Menu", 1}, {"Tray", 1},
                  {"NeverTaskbar", 1}, {"Offset", 1}, {"ToolwindowMinimode", 1}, {"Cover", 1}},
                 {SKIN, MULTIMEDIA, CLIPBOARD, WINAMP, FILE_BOX, CAPTION, MENU, TRAY, TASKBAR_FULL, ON_TOP_ALWAYS,
                  COVER},
                 true},
        InitCase{"EveryFlagClear",
                 {{"Skin", 0}, {"WinAmp", 0}, {"CaptionText", 0}, {"Offset", 0}},
                 {TASKBAR_ALWAYS, ON_TOP_NEVER},
                 false},
        InitCase{"NotOffsetWithSkin",
                 {{"Offset", 0}, {"NeverTaskbar", 1}, {"ShowInAltTab", 1}, {"TopmostMin", 1}},
                 {SKIN, WINAMP, CAPTION, DONT_OFFSET, TASKBAR_NEVER, ON_TOP_MINI},
                 true},
        InitCase{"NotOnTopOnly", {{"ShowInAltTab", 1}, {"Clipboard", 1}, {"Tray", 1}},
                 {SKIN, CLIPBOARD, WINAMP, CAPTION, TRAY, TASKBAR_NOT_ON_TOP, ON_TOP_NEVER}, true}),
    [](const ::testing::TestParamInfo<InitCase> &info) { return std::string(info.param.name); });

struct HostPosition {
    int x, y, width, height;
};

class OptionsDialogCentring : public HostTest, public ::testing::WithParamInterface<HostPosition> {};

TEST_P(OptionsDialogCentring, CentresOverTheHostWindowWhereverItIs)
{
    const HostPosition &at = GetParam();
    StartPlugin();
    SetWindowPos(host::mainWindow, nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        RECT d;
        GetWindowRect(dialog, &d);
        int w = d.right - d.left, h = d.bottom - d.top;
        EXPECT_GT(w, 274);
        EXPECT_EQ(d.left, at.x + at.width / 2 - w / 2);
        EXPECT_EQ(d.top, at.y + at.height / 2 - h / 2);
    }));
}

// Odd sizes, a window partly off the top left (the dialog is not pulled
// back inside the screen) and one near the bottom right.
INSTANTIATE_TEST_SUITE_P(Positions, OptionsDialogCentring,
                         ::testing::Values(HostPosition{100, 100, 640, 420}, HostPosition{0, 0, 641, 59},
                                           HostPosition{-500, -400, 401, 333}, HostPosition{1100, 900, 700, 500}),
                         [](const ::testing::TestParamInfo<HostPosition> &info) {
                             const HostPosition &p = info.param;
                             auto n = [](int v) { return (v < 0 ? "m" : "") + std::to_string(v < 0 ? -v : v); };
                             return "At" + n(p.x) + "x" + n(p.y) + "Size" + n(p.width) + "x" + n(p.height);
                         });

// ---- check boxes ----------------------------------------------------------

TEST_F(OptionsDialog, EachCheckBoxStoresItsFlagAtOnceAndBack)
{
    struct Box {
        const char *text, *valueName;
        DWORD storedAfterClick;
    };
    // Defaults: Skin, WinAmp, CaptionText and Offset on.
    const Box boxes[] = {{SKIN, "Skin", 0},       {MULTIMEDIA, "Multimedia", 1}, {CLIPBOARD, "Clipboard", 1},
                         {WINAMP, "WinAmp", 0},   {FILE_BOX, "File", 1},         {CAPTION, "CaptionText", 0},
                         {MENU, "Menu", 1},       {TRAY, "Tray", 1},             {DONT_OFFSET, "Offset", 0},
                         {MEDIA_CONTROLS, "MediaControls", 0}, {COVER, "Cover", 1}};
    StartPlugin();
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        for (const Box &box : boxes) {
            SCOPED_TRACE(box.text);
            Click(dialog, box.text);
            EXPECT_EQ(Stored(box.valueName), box.storedAfterClick);
            EXPECT_EQ(CheckState(dialog, box.text), box.valueName == std::string("Offset") ? 1 : int(box.storedAfterClick));
            // No check box hides the host window.
            EXPECT_FALSE(HostHidden());
            Click(dialog, box.text);
            EXPECT_EQ(Stored(box.valueName), 1 - box.storedAfterClick);
            host::PumpMessages();
        }
    }));
    // The menu bar waits for the next start.
    EXPECT_EQ(GetMenu(host::mainWindow), nullptr);
}

TEST_F(OptionsDialog, SkinBoxShowsAndHidesTheOffsetBox)
{
    StartPlugin({{"Offset", 0}});
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        HWND offsetBox = DialogButton(dialog, DONT_OFFSET);
        Click(dialog, SKIN);
        EXPECT_FALSE(IsWindowVisible(offsetBox));
        Click(dialog, SKIN);
        EXPECT_TRUE(IsWindowVisible(offsetBox));
        SendMessageA(offsetBox, BM_SETCHECK, BST_UNCHECKED, 0);
        // Shown again with the mark of the stored offset, posted.
        EXPECT_EQ(TakePostedChecks(), (std::vector<std::pair<std::string, int>>{{DONT_OFFSET, 1}}));
        EXPECT_EQ(CheckState(dialog, DONT_OFFSET), BST_CHECKED);
    }));
    EXPECT_EQ(Stored("Skin"), 1u);
}

// ---- radio buttons --------------------------------------------------------

std::vector<std::pair<std::string, int>> GroupMarks(const char *const *group, size_t count, const char *clicked)
{
    std::vector<std::pair<std::string, int>> marks;
    for (size_t i = 0; i < count; ++i)
        marks.emplace_back(group[i], strcmp(group[i], clicked) == 0);
    return marks;
}

struct RadioCase {
    const char *text;
    bool onTopGroup;
    std::vector<Setting> flagsAfter;
    bool redisplays;
};

TEST_F(OptionsDialog, EachRadioButtonPostsItsGroupsMarksAndStoresTheGroup)
{
    const RadioCase cases[] = {
        {ON_TOP_ALWAYS, true, {{"TopmostAlways", 1}, {"TopmostMin", 0}}, true},
        {ON_TOP_NEVER, true, {{"TopmostAlways", 0}, {"TopmostMin", 0}}, false},
        // Full mode: no z-order change, no redisplay.
        {ON_TOP_MINI, true, {{"TopmostAlways", 0}, {"TopmostMin", 1}}, false},
        {TASKBAR_ALWAYS, false, {{"ToolwindowMinimode", 0}, {"ShowInAltTab", 0}, {"NeverTaskbar", 0}}, true},
        {TASKBAR_NEVER, false, {{"ToolwindowMinimode", 0}, {"ShowInAltTab", 0}, {"NeverTaskbar", 1}}, true},
        {TASKBAR_NOT_ON_TOP, false, {{"ToolwindowMinimode", 0}, {"ShowInAltTab", 1}, {"NeverTaskbar", 0}}, true},
        {TASKBAR_FULL, false, {{"ToolwindowMinimode", 1}, {"ShowInAltTab", 0}, {"NeverTaskbar", 0}}, true},
    };
    StartPlugin({{"TopmostAlways", 1}, {"TopmostMin", 1}, {"NeverTaskbar", 1}, {"ShowInAltTab", 1}});
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        for (const RadioCase &c : cases) {
            SCOPED_TRACE(c.text);
            ASSERT_TRUE(host::PumpUntil([] { return !HostHidden(); }, 2000));
            Click(dialog, c.text);
            EXPECT_EQ(HostHidden(), c.redisplays);
            EXPECT_EQ(TakePostedChecks(), c.onTopGroup ? GroupMarks(ON_TOP_GROUP, 3, c.text)
                                                       : GroupMarks(TASKBAR_GROUP, 4, c.text));
            for (const Setting &s : c.flagsAfter)
                EXPECT_EQ(Stored(s.name), s.value) << s.name;
            for (const auto &mark : c.onTopGroup ? GroupMarks(ON_TOP_GROUP, 3, c.text)
                                                 : GroupMarks(TASKBAR_GROUP, 4, c.text))
                EXPECT_EQ(CheckState(dialog, mark.first.c_str()), mark.second) << mark.first;
        }
        // The last redisplay shows the window again about 400 ms later.
        DWORD start = GetTickCount();
        EXPECT_TRUE(host::PumpUntil([] { return !HostHidden(); }, 2000));
        EXPECT_LT(GetTickCount() - start, 1500u);
    }));
}

// The z-order itself is not checked: under Wine, while the modal dialog is
// open, HWND_TOPMOST for the owner moves its owned dialog into the topmost
// band instead and never reads back on the owner.
TEST_F(OptionsDialog, OnTopButtonsKeepTheTaskbarEntry)
{
    StartPlugin();
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        SetToolWindow(true);
        Click(dialog, ON_TOP_ALWAYS);
        EXPECT_FALSE(HasExStyle(WS_EX_TOOLWINDOW)) << "on top with a taskbar entry";

        Click(dialog, ON_TOP_NEVER);

        // Full mode: the z-order is left to the next WM_SIZE.
        SetToolWindow(true);
        Click(dialog, ON_TOP_MINI);
        EXPECT_FALSE(HasExStyle(WS_EX_TOOLWINDOW));

        Click(dialog, ON_TOP_NEVER);
        host::ResizeMain(300, 60);
        host::PumpUntil([] { return !HostHidden(); }, 2000);
        SetToolWindow(true);
        Click(dialog, ON_TOP_MINI);
        EXPECT_FALSE(HasExStyle(WS_EX_TOOLWINDOW));
        EXPECT_TRUE(HostHidden());
    }));
}

// Full mode, so no z-order change brings in the taskbar rule.
TEST_F(OptionsDialog, OnTopKeepsTheToolWindowWhenShownOnlyWhileNotOnTop)
{
    StartPlugin({{"ShowInAltTab", 1}});
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        SetToolWindow(true);
        Click(dialog, ON_TOP_MINI);
        EXPECT_TRUE(HasExStyle(WS_EX_TOOLWINDOW));
    }));
}

TEST_F(OptionsDialog, TaskbarButtonsSetTheToolWindowStyle)
{
    StartPlugin();
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        SetToolWindow(true);
        Click(dialog, TASKBAR_ALWAYS);
        EXPECT_FALSE(HasExStyle(WS_EX_TOOLWINDOW));

        // Full mode: stays in the taskbar.
        Click(dialog, TASKBAR_FULL);
        EXPECT_FALSE(HasExStyle(WS_EX_TOOLWINDOW));

        host::ResizeMain(300, 60);
        Click(dialog, TASKBAR_ALWAYS);
        SetToolWindow(false);
        Click(dialog, TASKBAR_FULL);
        EXPECT_TRUE(HasExStyle(WS_EX_TOOLWINDOW));
        EXPECT_TRUE(HostHidden());
    }));
}

TEST_F(OptionsDialog, DoubleClickAndSecondClickActAsAClick)
{
    StartPlugin();
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        HWND never = DialogButton(dialog, TASKBAR_NEVER);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TASKBAR_NEVER, BN_DBLCLK), LPARAM(never));
        EXPECT_EQ(Stored("NeverTaskbar"), 1u);
        EXPECT_TRUE(HostHidden());
        EXPECT_EQ(TakePostedChecks(), GroupMarks(TASKBAR_GROUP, 4, TASKBAR_NEVER));
        ASSERT_TRUE(host::PumpUntil([] { return !HostHidden(); }, 2000));

        // Changed behind the module's back: the second click writes again.
        host::SetSettingDword("NeverTaskbar", 5);
        host::SetSettingDword("ShowInAltTab", 5);
        host::SetSettingDword("ToolwindowMinimode", 5);
        Click(dialog, TASKBAR_NEVER);
        EXPECT_EQ(Stored("NeverTaskbar"), 1u);
        EXPECT_EQ(Stored("ShowInAltTab"), 0u);
        EXPECT_EQ(Stored("ToolwindowMinimode"), 0u);
        EXPECT_TRUE(HostHidden());
        EXPECT_EQ(CheckState(dialog, TASKBAR_NEVER), BST_CHECKED);
    }));
}

// ---- ending the dialog ----------------------------------------------------

TEST_F(OptionsDialog, OkEscapeAndTheCloseBoxEndItAndTheHostGetsTheCommand)
{
    StartPlugin();
    const std::function<void(HWND)> endings[] = {
        [](HWND dialog) { Click(dialog, "OK"); },
        // Taken by the dialog's own loop once the body has returned.
        [](HWND dialog) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto &end : endings) {
        host::ClearLogs();
        ASSERT_TRUE(WithOptionsDialog(
            [&](HWND dialog) {
                EXPECT_FALSE(IsWindowEnabled(host::mainWindow));
                Click(dialog, MENU);
                end(dialog);
            },
            false));
        EXPECT_FALSE(DialogNeededClosing());
        EXPECT_EQ(FindWindowA("#32770", "Plugin Options"), nullptr);
        EXPECT_TRUE(IsWindowEnabled(host::mainWindow));
        EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_COMMAND}),
                               {{WM_COMMAND, host::sent | host::wparam, ID_OPTIONS, 0}}));
    }
    EXPECT_EQ(Stored("Menu"), 1u) << "three clicks, each kept";
}

// Every text fits its control in the control's own font, with the check
// mark's width beside it: with the template's face installed (DejaVu Sans
// under the name "Lucida Grande", for this process) and without it, as on
// most machines. A wrapping static text must fit in its height instead.
class OptionsDialogFits : public HostTest, public ::testing::WithParamInterface<bool> {};

std::string FaceOf(HDC dc, HWND control)
{
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    return face;
}

::testing::AssertionResult TextFits(HDC dc, HWND control)
{
    char text[160];
    int length = GetWindowTextA(control, text, sizeof text);
    RECT client;
    GetClientRect(control, &client);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    int mark = GetSystemMetrics(SM_CXMENUCHECK);
    SIZE line = {};
    GetTextExtentPoint32A(dc, text, length, &line);
    RECT wrapped = {0, 0, client.right - mark, 0};
    DrawTextA(dc, text, length, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    char className[16];
    GetClassNameA(control, className, sizeof className);
    bool wraps = strcmp(className, "Static") == 0;
    if (wraps ? wrapped.bottom <= client.bottom : line.cx + mark <= client.right)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '"' << text << "\" needs " << line.cx << " + " << mark << " by "
                                         << wrapped.bottom << " in " << client.right << " by " << client.bottom;
}

TEST_P(OptionsDialogFits, EveryTextFitsItsControl)
{
    bool installed = GetParam();
    if (installed) {
        ASSERT_TRUE(InstallFontAs("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf", "Lucida Grande"));
    }
    StartPlugin({{"Skin", 1}});
    HGDIOBJ font = nullptr;
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        font = reinterpret_cast<HGDIOBJ>(SendMessageA(GetWindow(dialog, GW_CHILD), WM_GETFONT, 0, 0));
        HDC dc = GetDC(dialog);
        HGDIOBJ old = GetCurrentObject(dc, OBJ_FONT);
        int checked = 0;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++checked) {
            EXPECT_EQ(FaceOf(dc, c) == "Lucida Grande", installed) << FaceOf(dc, c);
            // The song file's path scrolls in its box instead.
            if (GetDlgCtrlID(c) != IDC_SONG_FILE_PATH) {
                EXPECT_TRUE(TextFits(dc, c));
            }
        }
        EXPECT_EQ(checked, 30)
            << "the template's 23, the song file's row, the rows of the files beside it and the media controls' box";
        SelectObject(dc, old);
        ReleaseDC(dialog, dc);
    }));
    EXPECT_EQ(GetObjectType(font), 0u) << "the controls' font ends with the dialog";
}

INSTANTIATE_TEST_SUITE_P(Face, OptionsDialogFits, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "Installed" : "Missing";
                         });

} // namespace
