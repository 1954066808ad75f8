// The module's side of the host's plug-in calls: init, registration,
// the visual handler's dispatch and the one-time start-up.
#include <cstring>

#include "harness.h"

using namespace testing_support;

namespace {

namespace layout = host::layout;
using Record = decltype(host::AppCall::record);
constexpr size_t BODY = layout::call::BODY;

// The calls' records in the interface the plug-in registered with: the
// registration's code and header version, the other calls' version, the
// size, and where the name (its bytes with the count), options and handler
// sit.
struct CallLayout {
    uint32_t registration, registrationMinor, minor, size, nameBytes, options, handler;
};
CallLayout Layout()
{
    if (host::SpeaksInterface2())
        return {host::Code("regv"), 7, 9, layout::call::SIZE_2_0, 26, layout::regv::OPTIONS, layout::regv::HANDLER};
    return {host::Code("rvis"), 5, 5, layout::call::SIZE_10_5, 13, layout::rvis::OPTIONS, layout::rvis::HANDLER};
}

uint32_t WordAt(const Record &record, size_t offset)
{
    uint32_t word;
    memcpy(&word, &record[offset], 4);
    return word;
}

uintptr_t PointerAt(const Record &record, size_t offset)
{
    uintptr_t pointer;
    memcpy(&pointer, &record[offset], sizeof pointer);
    return pointer;
}

// The name as counted text: 8-bit in 10.5, UTF-16 in 2.0.
std::u16string NameIn(const Record &record)
{
    std::u16string name;
    if (!host::SpeaksInterface2()) {
        name.assign(&record[BODY + 1], &record[BODY + 1] + record[BODY]);
        return name;
    }
    uint16_t units[256];
    memcpy(units, &record[BODY], sizeof units);
    return std::u16string(units + 1, units + 1 + (units[0] < 256 ? units[0] : 255));
}

bool InsideModule(uintptr_t address)
{
    auto base = reinterpret_cast<const uint8_t *>(host::plugin);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    return address > uintptr_t(base) && address < uintptr_t(base) + nt->OptionalHeader.SizeOfImage;
}

const host::AppCall *FindCall(uint32_t message)
{
    for (const host::AppCall &call : host::appCalls)
        if (call.message == message)
            return &call;
    return nullptr;
}

class PluginEntry : public HostTest {};

TEST_F(PluginEntry, RegistersAsVisualPluginByteForByte)
{
    ASSERT_EQ(host::appCalls.size(), 1u);
    const host::AppCall &call = host::appCalls[0];
    EXPECT_EQ(call.cookie, host::cookie);
    const CallLayout layout = Layout();
    EXPECT_EQ(call.message, layout.registration);

    const auto &r = call.record;
    EXPECT_EQ(WordAt(r, 0), 10u);
    EXPECT_EQ(WordAt(r, 4), layout.registrationMinor);
    EXPECT_EQ(WordAt(r, 8), layout.size);
    EXPECT_EQ(NameIn(r), u"Bramblecourt");
    EXPECT_EQ(WordAt(r, layout.options), 8u);
    // The handler is code of the module, and the one the host now calls.
    EXPECT_TRUE(InsideModule(PointerAt(r, layout.handler)));
    EXPECT_EQ(PointerAt(r, layout.handler), uintptr_t(host::visualHandler));
    EXPECT_TRUE(host::initGuardKept) << "written past the end of the player's init record";
    for (size_t i = BODY; i < layout.size; ++i) {
        bool named = (i < BODY + layout.nameBytes) || (i >= layout.options && i < layout.options + 4) ||
                     (i >= layout.handler && i < layout.handler + sizeof(void *));
        if (!named) {
            EXPECT_EQ(r[i], 0) << "byte " << i;
        }
    }
}

// The 64-bit player is of the newer interface's time whatever it announces;
// a 32-bit player speaks the newer one when it announces it.
TEST_F(PluginEntry, RegistrationFollowsTheAnnouncedInterface)
{
    for (host::Interface announced : {host::INTERFACE_10_5, host::INTERFACE_2_0}) {
        host::appCalls.clear();
        host::hostInterface = announced;
        host::Init();
        bool newer = layout::BUILD_64 || announced == host::INTERFACE_2_0;
        ASSERT_FALSE(host::appCalls.empty());
        EXPECT_EQ(host::appCalls[0].message, host::Code(newer ? "regv" : "rvis")) << announced;
        EXPECT_EQ(host::SpeaksInterface2(), newer);
    }
}

TEST_F(PluginEntry, InitReturnsTheHostsStatusAndTouchesNoWindow)
{
    host::appCalls.clear();
    host::appStatus = 0x1234ABCD;
    WNDPROC before = WNDPROC(GetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC));
    EXPECT_EQ(host::Init(), 0x1234ABCD);
    EXPECT_EQ(WNDPROC(GetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC)), before);
    EXPECT_EQ(FindWindowA("Button", "WindowFinder"), nullptr);
    EXPECT_FALSE(host::SettingsKeyExists()) << "init must not read or write the settings";
}

TEST_F(PluginEntry, OtherCodesComeBackUnchanged)
{
    host::appCalls.clear();
    for (uint32_t code : {host::Code("clr "), host::Code("null"), host::Code("abou"), 0u, 0xFFFFFFFFu, 1u})
        EXPECT_EQ(uint32_t(host::pluginMain(code, nullptr, nullptr)), code);
    EXPECT_TRUE(host::appCalls.empty());
}

TEST_F(PluginEntry, AboutCarriesAZeroBody)
{
    StartPlugin();
    host::appCalls.clear();
    SendMessageA(host::mainWindow, WM_COMMAND, 40077, 0);
    const host::AppCall *about = FindCall(host::Code("abou"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->cookie, host::cookie);
    const CallLayout layout = Layout();
    EXPECT_EQ(WordAt(about->record, 0), 10u);
    EXPECT_EQ(WordAt(about->record, 4), layout.minor);
    EXPECT_EQ(WordAt(about->record, 8), layout.size);
    for (size_t i = BODY; i < about->record.size(); ++i)
        EXPECT_EQ(about->record[i], 0) << "byte " << i;
}

TEST_F(PluginEntry, EveryHandlerReturnsZero)
{
    std::vector<uint8_t> track = host::BuildTrack({"Song", "Artist"});
    EXPECT_EQ(host::Idle(), 0);
    EXPECT_EQ(host::Idle(), 0);
    EXPECT_EQ(host::Play(track), 0);
    EXPECT_EQ(host::SetPosition(1234), 0);
    EXPECT_EQ(host::Stop(), 0);
    EXPECT_EQ(host::Clean(), 0);
    // A play message without a track record has nothing to copy.
    EXPECT_EQ(host::SendVisual(host::Code("vply"), nullptr), 0);
    EXPECT_EQ(host::SendVisual(host::Code("Vply"), nullptr), 0);
    EXPECT_EQ(host::SendVisual(host::Code("xyzw"), nullptr), 0);
    EXPECT_EQ(host::SendVisual(0, nullptr), 0);
}

TEST_F(PluginEntry, StartUpRunsOnlyOnTheFirstIdleMessage)
{
    StartPlugin();
    WNDPROC subclassed = WNDPROC(GetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC));

    // A second start-up would load the settings again and recreate the key.
    host::ResetSettings();
    host::Idle();
    host::Idle();
    EXPECT_FALSE(host::SettingsKeyExists());
    EXPECT_EQ(WNDPROC(GetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC)), subclassed);
}

TEST_F(PluginEntry, StartUpSubclassesTheMainWindow)
{
    WNDPROC before = WNDPROC(GetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC));
    StartPlugin();
    EXPECT_NE(WNDPROC(GetWindowLongPtrA(host::mainWindow, GWLP_WNDPROC)), before);
    // Ordinary messages still reach the host's own procedure.
    host::ClearLogs();
    SendMessageA(host::mainWindow, WM_USER + 7, 1, 2);
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_USER + 7}),
                           {{WM_USER + 7, host::sent | host::wparam | host::lparam, 1, 2}}));
}

int TopLevelWindows(const char *className, const char *title)
{
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window;
         window = FindWindowExA(nullptr, window, className, title))
        ++count;
    return count;
}

// After "clr " nothing of the module stays reachable from the host's
// windows and the caption is the host's again, so the module can be
// unloaded, and a new load in the same process starts up as the first did.
TEST_F(PluginEntry, CleanUpTakesEverythingBackAndAReloadStartsUpAgain)
{
    auto procedure = [](HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); };
    const LONG_PTR hostMain = procedure(host::mainWindow), hostEqualizer = procedure(host::equalizerWindow);
    for (int load = 1; load <= 2; ++load) {
        SCOPED_TRACE(load);
        if (load > 1) {
            ASSERT_TRUE(host::LoadPlugin());
            host::Init();
        }
        int threadsBefore = host::ThreadCount();
        StartPlugin({{"Skin", 1}, {"WinAmp", 1}, {"CaptionText", 1}, {"Multimedia", 1}});
        EXPECT_NE(procedure(host::mainWindow), hostMain);
        EXPECT_NE(procedure(host::equalizerWindow), hostEqualizer);
        EXPECT_EQ(TopLevelWindows("Winamp v1.x", nullptr), 1);
        EXPECT_EQ(TopLevelWindows("Button", "WindowFinder"), 1);
        EXPECT_GT(host::ThreadCount(), threadsBefore) << "the media-key hook's thread";
        host::Play(host::BuildTrack({"Song", "Artist"}));
        EXPECT_TRUE(host::PumpUntil([] { return WindowText(host::mainWindow) == "Artist - Song - iTunes"; }));

        host::Clean();
        EXPECT_EQ(WindowText(host::mainWindow), "iTunes");
        EXPECT_EQ(procedure(host::mainWindow), hostMain);
        EXPECT_EQ(procedure(host::equalizerWindow), hostEqualizer);
        EXPECT_EQ(FindWindowExA(host::mainWindow, nullptr, nullptr, nullptr), nullptr) << "a bar is left";
        EXPECT_EQ(FindWindowExA(host::equalizerWindow, nullptr, nullptr, nullptr), nullptr) << "a bar is left";
        EXPECT_EQ(TopLevelWindows("Winamp v1.x", nullptr), 0);
        EXPECT_EQ(TopLevelWindows("Button", "WindowFinder"), 0);
        ASSERT_TRUE(FreeLibrary(host::plugin));
        EXPECT_TRUE(host::PumpUntil([] { return !GetModuleHandleA("Bramblecourt.dll"); })) << "still mapped";
    }
}

class PluginInUnicodeHost : public HostTest {
protected:
    PluginInUnicodeHost() { placement.unicode = true; }
};

// Subclassed, both windows keep their Unicode text messages: an ANSI
// procedure on top would turn the Chinese characters into question marks.
TEST_F(PluginInUnicodeHost, SubclassedWindowsStayUnicodeAndKeepUnicodeText)
{
    const HWND windows[] = {host::mainWindow, host::equalizerWindow};
    LONG_PTR before[] = {GetWindowLongPtrW(windows[0], GWLP_WNDPROC), GetWindowLongPtrW(windows[1], GWLP_WNDPROC)};
    StartPlugin({{"Skin", 1}});
    const std::wstring text = L"\u65E5\u672C - \u05D0";
    for (int i = 0; i < 2; ++i) {
        EXPECT_NE(GetWindowLongPtrW(windows[i], GWLP_WNDPROC), before[i]) << "window " << i << " not subclassed";
        EXPECT_TRUE(IsWindowUnicode(windows[i])) << "window " << i;
        ASSERT_TRUE(SetWindowTextW(windows[i], text.c_str()));
        wchar_t got[32] = L"";
        GetWindowTextW(windows[i], got, 32);
        EXPECT_EQ(std::wstring(got), text) << "window " << i;
    }
}

class PluginWithoutHostWindows : public HostTest {
protected:
    PluginWithoutHostWindows() { createWindows = false; }
};

TEST_F(PluginWithoutHostWindows, StartUpCarriesOnAndStillLoadsSettings)
{
    EXPECT_EQ(host::Idle(), 0);
    DWORD version = 0;
    EXPECT_TRUE(host::ReadSettingDword("Version", &version));
    EXPECT_EQ(version, 52u);
    EXPECT_EQ(host::Play(host::BuildTrack({"Song", "Artist"})), 0);
    EXPECT_EQ(host::Stop(), 0);
}

// With no window to hide, no timer may be left running on the thread.
TEST_F(PluginWithoutHostWindows, StartUpHidingArmsNoTimer)
{
    StartPlugin({{"NeverTaskbar", 1}, {"ShowInAltTab", 1}, {"TopmostAlways", 1}});
    int timers = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 900) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            ++timers;
            DispatchMessageA(&msg);
        }
    }
    EXPECT_EQ(timers, 0);
}

} // namespace
