// The substitute host's windows, application procedure and driver.
#include "host.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "interface2.h"
#include "msglog.h"

namespace host {

HWND mainWindow;
HWND equalizerWindow;
int miniControlPresses;
std::vector<std::string> menuItemsChosen;

std::vector<AppCall> appCalls;
int32_t appStatus = 0;
void *const cookie = reinterpret_cast<void *>(uintptr_t(0x5EEDC0DE));

HMODULE plugin;
PluginMain pluginMain;
VisualProc visualHandler;
bool initGuardKept;

namespace {

constexpr int MINI_PLAYER_HEIGHT = 70;
constexpr int MINI_CONTROL_X = 16, MINI_CONTROL_Y = 28;

// The message the pump is dispatching, so the procedure can tell a posted
// delivery from a sent one.
struct Dispatching {
    bool active;
    MSG msg;
} dispatching;

unsigned DeliveryFlag(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const MSG &m = dispatching.msg;
    if (dispatching.active && m.hwnd == window && m.message == message && m.wParam == wParam && m.lParam == lParam) {
        dispatching.active = false;
        return posted;
    }
    return sent;
}

// Whether the windows' class is a Unicode one; its procedure's messages are
// then Unicode, whatever procedure a plug-in puts on top.
bool unicodeClass;

int Height(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back({window, message, DeliveryFlag(window, message, wParam, lParam), wParam, lParam});
    switch (message) {
    case WM_APPCOMMAND:
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        // The host draws its own menus and takes the keys itself; the
        // system's menu loop never runs on its window.
        if (window == mainWindow && HostMenuKey(window, message, wParam, lParam))
            return 0;
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU)
            return 0;
        break;
    case WM_LBUTTONDOWN:
        if (window == mainWindow && Height(window) < Scaled(MINI_PLAYER_HEIGHT) &&
            short(LOWORD(lParam)) == Scaled(MINI_CONTROL_X) && short(HIWORD(lParam)) == Scaled(MINI_CONTROL_Y)) {
            ++miniControlPresses;
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (window == equalizerWindow)
            return 0;
        break;
    }
    return unicodeClass ? DefWindowProcW(window, message, wParam, lParam)
                        : DefWindowProcA(window, message, wParam, lParam);
}

int32_t __cdecl HostApplicationProc(void *callerCookie, uint32_t message, void *record)
{
    namespace call = layout::call;
    AppCall made = {callerCookie, message, {}};
    if (record) {
        uint32_t size = layout::ReadAt<uint32_t>(record, call::SIZE_FIELD);
        memcpy(made.record.data(), record, std::min<size_t>(size, made.record.size()));
    }
    appCalls.push_back(made);
    if (message == Code("itsz") && record) {
        uint32_t answer = trackInfoSize ? trackInfoSize : UnicodeTrackSize();
        memcpy(static_cast<uint8_t *>(record) + call::ITSZ_ANSWER, &answer, sizeof answer);
    }
    if (message == Code("rvis") && record) {
        visualHandler = layout::ReadAt<VisualProc>(record, layout::rvis::HANDLER);
        registeredInterface2 = false;
    }
    if (message == Code("regv") && record) {
        visualHandler = layout::ReadAt<VisualProc>(record, layout::regv::HANDLER);
        registeredInterface2 = true;
    }
    if (message == Code("rart"))
        AnswerArtLater();
    return appStatus;
}

} // namespace

bool CreateHostWindows(const WindowPlacement &p)
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(GetStockObject(DKGRAY_BRUSH));
    wc.lpszClassName = "iTunes";
    unicodeClass = p.unicode;
    if (p.unicode) {
        WNDCLASSW wide = {wc.style, wc.lpfnWndProc, 0, 0, wc.hInstance, nullptr, wc.hCursor, wc.hbrBackground,
                          nullptr, L"iTunes"};
        RegisterClassW(&wide);
    } else {
        RegisterClassA(&wc);
    }

    const DWORD style = HOST_WINDOW_STYLE;
    mainWindow = CreateWindowExA(0, "iTunes", "iTunes", style, p.x, p.y, p.width, p.height, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    equalizerWindow = CreateWindowExA(0, "iTunes", "Equalizer", style, p.eqX, p.eqY, p.eqWidth, p.eqHeight,
                                      nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(mainWindow);
    PumpMessages();
    return mainWindow && equalizerWindow;
}

void ResizeMain(int width, int height)
{
    SetWindowPos(mainWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ProgramBeside(const char *program)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + program + ".exe";
}

StartedProgram StartProgram(const char *program, const std::vector<std::string> &arguments)
{
    std::string command = "\"" + ProgramBeside(program) + "\"";
    for (const std::string &argument : arguments)
        command += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return {};
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

bool LoadPlugin(const char *path)
{
    plugin = LoadLibraryA(path);
    pluginMain = plugin ? reinterpret_cast<PluginMain>(GetProcAddress(plugin, "iTunesPluginMain")) : nullptr;
    return pluginMain != nullptr;
}

int32_t Init()
{
    namespace init = layout::init;
    // The record is exactly as long as the player makes it, followed by a
    // guard that must stay untouched.
    layout::Bytes<init::SIZE + 8> information;
    information.Put<uint32_t>(init::MAJOR, 10);
    information.Put<uint32_t>(init::MINOR, hostInterface == INTERFACE_2_0 ? 9 : 5);
    information.Put(init::COOKIE, cookie);
    information.Put(init::PROCEDURE, &HostApplicationProc);
    memset(information.data + init::SIZE, 0xA5, 8);
    int32_t status = pluginMain(Code("init"), information.data, nullptr);
    initGuardKept = std::all_of(information.data + init::SIZE, information.data + init::SIZE + 8,
                                [](uint8_t b) { return b == 0xA5; });
    return status;
}

int32_t SendVisual(uint32_t code, const void *information)
{
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> blank;
    return visualHandler(code, const_cast<void *>(information ? information : blank.data), nullptr);
}

int32_t Idle() { return SendVisual(Code("null"), nullptr); }
int32_t Stop() { return SendVisual(Code("vstp"), nullptr); }
int32_t Clean()
{
    // A player sends nothing more to a plug-in it cleaned up, art included.
    DropArtAnswers();
    return SendVisual(Code("clr "), nullptr);
}

int32_t SetPosition(uint32_t ms)
{
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> information;
    information.Put(layout::setp::POSITION, ms);
    return SendVisual(Code("setp"), information.data);
}

void PutCountedText(std::vector<uint8_t> &record, size_t offset, const std::string &text)
{
    size_t length = text.size() < 255 ? text.size() : 255;
    record[offset] = uint8_t(length);
    memcpy(&record[offset + 1], text.data(), length);
    if (length < 255)
        record[offset + 1 + length] = 0;
}

namespace {

std::string Narrow(const std::string &text, const std::wstring &wide)
{
    if (!text.empty() || wide.empty())
        return text;
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), int(wide.size()), narrow, sizeof narrow - 1, nullptr, nullptr);
    return narrow;
}

std::wstring Widen(const std::string &text, const std::wstring &wide)
{
    if (!wide.empty() || text.empty())
        return wide;
    wchar_t widened[1024] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), widened, 1023);
    return widened;
}

// Unit 0 the length, then the characters, zero after them.
void PutUnicodeText(std::vector<uint8_t> &record, size_t offset, const std::wstring &text)
{
    uint16_t length = uint16_t(text.size() < 255 ? text.size() : 255);
    memset(&record[offset], 0, 512);
    memcpy(&record[offset], &length, 2);
    memcpy(&record[offset + 2], text.data(), length * 2u);
}

// The 8-bit record's texts and where the UTF-16 record keeps them.
constexpr struct {
    size_t narrow, wide;
} TEXTS[] = {{8, 8},       {264, 520},   {520, 1032},  {776, 1544},
             {1032, 2056}, {1288, 2568}, {1556, 3080}, {1812, 3592}};

// Numbers: 8-bit offset, UTF-16 offset, size.
constexpr struct {
    size_t narrow, wide, size;
} NUMBERS[] = {{0, 0, 4},       {1544, 4104, 4}, {1548, 4108, 4}, {1552, 4112, 2}, {1554, 4114, 2},
               {2068, 4116, 4}, {2072, 4120, 4}, {2076, 4124, 4}, {2096, 4128, 4}, {2080, 4132, 4},
               {2084, 4136, 4}, {2088, 4140, 4}, {2092, 4144, 4}, {2112, 4148, 4}, {2104, 4152, 4},
               {2108, 4156, 4}};

// The UTF-16 record with every field of the 8-bit one in its place, the
// texts read in the code page up to their first zero byte, as a player
// fills both; `size` bytes long, and that long by its recordLength.
std::vector<uint8_t> WidenTrack(const std::vector<uint8_t> &narrow, size_t size)
{
    std::vector<uint8_t> wide(UNICODE_TRACK_SIZE_2, 0);
    for (const auto &text : TEXTS) {
        const char *characters = reinterpret_cast<const char *>(&narrow[text.narrow + 1]);
        PutUnicodeText(wide, text.wide, Widen(std::string(characters, strnlen(characters, 255)), L""));
    }
    for (const auto &number : NUMBERS)
        memcpy(&wide[number.wide], &narrow[number.narrow], number.size);
    wide.resize(size);
    uint32_t length = uint32_t(size);
    memcpy(&wide[4], &length, 4);
    return wide;
}

uint32_t Fixed(uint32_t hertz) { return hertz << 16; }

} // namespace

uint32_t trackInfoSize;

std::vector<uint8_t> BuildTrack(const Track &t)
{
    std::vector<uint8_t> record(TRACK_SIZE, 0);
    PutCountedText(record, 8, Narrow(t.name, t.wide.name));
    PutCountedText(record, 264, Narrow(t.fileName, t.wide.fileName));
    PutCountedText(record, 520, Narrow(t.artist, t.wide.artist));
    PutCountedText(record, 776, Narrow(t.album, t.wide.album));
    PutCountedText(record, 1032, Narrow(t.genre, t.wide.genre));
    PutCountedText(record, 1812, Narrow(t.comment, t.wide.comment));
    memcpy(&record[1544], &t.number, 4);
    memcpy(&record[1548], &t.count, 4);
    memcpy(&record[1552], &t.year, 2);
    memcpy(&record[2068], &t.totalMs, 4);
    memcpy(&record[2072], &t.startMs, 4);
    memcpy(&record[2084], &t.bitRate, 4);
    uint32_t rate = Fixed(t.sampleRate);
    memcpy(&record[2088], &rate, 4);
    return record;
}

std::vector<uint8_t> BuildUnicodeTrack(const Track &t)
{
    // The numbers as the 8-bit record has them; the texts from their twins.
    std::vector<uint8_t> record = WidenTrack(BuildTrack(t), UnicodeTrackSize());
    uint32_t length = t.unicodeLength == FULL_RECORD || (!t.unicodeLength && SpeaksInterface2()) ? UnicodeTrackSize()
                                                                                                  : t.unicodeLength;
    memcpy(&record[4], &length, 4);
    PutUnicodeText(record, 8, Widen(t.name, t.wide.name));
    PutUnicodeText(record, 520, Widen(t.fileName, t.wide.fileName));
    PutUnicodeText(record, 1032, Widen(t.artist, t.wide.artist));
    PutUnicodeText(record, 1544, Widen(t.album, t.wide.album));
    PutUnicodeText(record, 2056, Widen(t.genre, t.wide.genre));
    PutUnicodeText(record, 3592, Widen(t.comment, t.wide.comment));
    if (SpeaksInterface2()) {
        PutNewerSampleRate(record, t.sampleRate);
        PutUnicodeText(record, ALBUM_ARTIST_2, t.albumArtist);
    }
    return record;
}

std::vector<uint8_t> BuildStream(const Track &track, bool unicode)
{
    namespace at = layout::stream;
    if (!track.stream.present)
        return {};
    if (!unicode) {
        std::vector<uint8_t> record(at::NARROW_SIZE, 0);
        record[0] = 1;
        PutCountedText(record, at::NARROW_TITLE, Narrow("", track.stream.title));
        return record;
    }
    std::vector<uint8_t> record(SpeaksInterface2() ? at::UNICODE_SIZE_2 : at::UNICODE_SIZE, 0);
    record[0] = 1;
    PutUnicodeText(record, at::UNICODE_TITLE, track.stream.title);
    return record;
}

PreparedPlay PreparePlay(const std::vector<uint8_t> &track)
{
    if (SpeaksInterface2())
        return {WidenTrack(track, UNICODE_TRACK_SIZE_2), true};
    return {track, false};
}

int32_t Play(const PreparedPlay &play)
{
    if (play.interface2)
        return PlayInterface2(play.record, {}, 0, 0, 0);
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> message;
    message.Put(layout::vply::TRACK, play.record.data());
    return SendVisual(Code("vply"), message.data);
}

int32_t Play(const std::vector<uint8_t> &track) { return Play(PreparePlay(track)); }

namespace {

// "vply" or "ctrk" in 10.5: both track records, both stream records for a stream.
int32_t SendTrack10_5(bool change, const PreparedTrack &track)
{
    const void *unicodeStreamAt = track.unicodeStreamSent ? track.unicodeStream.data() : nullptr;
    const void *narrowStreamAt = track.narrowStream.empty() ? nullptr : track.narrowStream.data();
    const void *unicodeAt = track.unicodeSent ? track.unicode.data() : nullptr;
    layout::Bytes<layout::HANDLER_MESSAGE_SIZE> message;
    if (change) {
        namespace at = layout::ctrk;
        message.Put(at::TRACK, track.record.data());
        message.Put(at::STREAM, narrowStreamAt);
        message.Put(at::TRACK_UNICODE, unicodeAt);
        message.Put(at::STREAM_UNICODE, unicodeStreamAt);
        return SendVisual(Code("ctrk"), message.data);
    }
    namespace at = layout::vply;
    message.Put(at::TRACK, track.record.data());
    message.Put(at::STREAM, narrowStreamAt);
    message.Put(at::BIT_RATE, track.bitRate);
    message.Put(at::SOUND_CHANNELS, int16_t(track.channels));
    message.Put(at::SOUND_RATE, Fixed(track.sampleRate));
    message.Put(at::TRACK_UNICODE, unicodeAt);
    message.Put(at::STREAM_UNICODE, unicodeStreamAt);
    return SendVisual(Code("vply"), message.data);
}

} // namespace

PreparedTrack PrepareTrack(const Track &track)
{
    PreparedTrack prepared = {BuildTrack(track), BuildUnicodeTrack(track), BuildStream(track, false),
                              BuildStream(track, true)};
    prepared.unicodeSent = track.unicodeLength != 0 || SpeaksInterface2();
    prepared.unicodeStreamSent = !prepared.unicodeStream.empty() && !track.stream.narrowOnly;
    prepared.bitRate = track.bitRate;
    prepared.sampleRate = track.sampleRate;
    prepared.channels = track.channels;
    return prepared;
}

int32_t Play(const Track &track)
{
    PreparedTrack prepared = PrepareTrack(track);
    if (SpeaksInterface2())
        return PlayInterface2(prepared.unicode, prepared.unicodeStream, track.bitRate, track.sampleRate,
                              track.channels);
    return SendTrack10_5(false, prepared);
}

int32_t TrackInfoChanged(const PreparedTrack &track)
{
    if (SpeaksInterface2())
        return TrackInfoChanged2(track.unicode, track.unicodeStream);
    return SendTrack10_5(true, track);
}

int32_t TrackInfoChanged(const Track &track) { return TrackInfoChanged(PrepareTrack(track)); }

const char *const SETTINGS_KEY = "Software\\Apple Computer, Inc.\\iTunes\\Quorvane";

namespace {

// The machine's key as the earlier 32-bit module kept it: in the 32-bit
// view, whichever build the host is.
HKEY RootOf(SettingsRoot root)
{
    return root == MACHINE ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM ViewOf(SettingsRoot root)
{
    return root == MACHINE ? KEY_WOW64_32KEY : 0;
}

} // namespace

void ResetSettings()
{
    for (SettingsRoot root : {USER, MACHINE}) {
        HKEY parent;
        if (RegOpenKeyExA(RootOf(root), "Software\\Apple Computer, Inc.\\iTunes", 0, KEY_ALL_ACCESS | ViewOf(root),
                          &parent) != ERROR_SUCCESS)
            continue;
        RegDeleteTreeA(parent, "Quorvane");
        RegDeleteKeyA(parent, "Quorvane");
        RegCloseKey(parent);
    }
}

bool SettingsKeyExists(SettingsRoot root)
{
    HKEY key;
    if (RegOpenKeyExA(RootOf(root), SETTINGS_KEY, 0, KEY_READ | ViewOf(root), &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetSettingRaw(const char *name, DWORD type, const void *data, DWORD size, SettingsRoot root)
{
    HKEY key;
    if (RegCreateKeyExA(RootOf(root), SETTINGS_KEY, 0, nullptr, 0, KEY_WRITE | ViewOf(root), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
}

void SetSettingDword(const char *name, DWORD value, SettingsRoot root)
{
    SetSettingRaw(name, REG_DWORD, &value, sizeof value, root);
}

void SetSettingText(const char *name, const std::string &text)
{
    SetSettingRaw(name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

// Through the Unicode calls, as the module keeps its own texts.
void SetSettingText(const char *name, const std::wstring &text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    std::wstring wideName(name, name + strlen(name));
    RegSetValueExW(key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring ReadSettingTextW(const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"(missing)";
    std::wstring wideName(name, name + strlen(name));
    DWORD type = REG_NONE, size = 0;
    std::wstring text;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(&text[0]), &size);
        text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    } else {
        text = L"(missing)";
    }
    RegCloseKey(key);
    return text;
}

bool ReadSetting(const char *name, DWORD *type, std::vector<uint8_t> *data, SettingsRoot root)
{
    HKEY key;
    if (RegOpenKeyExA(RootOf(root), SETTINGS_KEY, 0, KEY_READ | ViewOf(root), &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data->assign(size, 0);
        status = RegQueryValueExA(key, name, nullptr, type, data->data(), &size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool ReadSettingDword(const char *name, DWORD *value, SettingsRoot root)
{
    DWORD type;
    std::vector<uint8_t> data;
    if (!ReadSetting(name, &type, &data, root) || type != REG_DWORD || data.size() != 4)
        return false;
    memcpy(value, data.data(), 4);
    return true;
}

std::string ReadSettingText(const char *name)
{
    DWORD type;
    std::vector<uint8_t> data;
    if (!ReadSetting(name, &type, &data) || type != REG_SZ)
        return "(missing)";
    return std::string(data.begin(), std::find(data.begin(), data.end(), uint8_t(0)));
}

void SetHostExecutablePath(const char *path)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, "daap\\DefaultIcon", &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(path), DWORD(strlen(path) + 1));
    RegCloseKey(key);
}

void DeleteHostExecutablePath()
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "daap");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "daap\\DefaultIcon");
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd)
            queued.push_back({msg.hwnd, msg.message, posted, msg.wParam, msg.lParam});
        dispatching = {true, msg};
        DispatchMessageA(&msg);
        dispatching.active = false;
    }
    DeliverOwedArt();
}

bool PumpUntil(const std::function<bool()> &condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        DWORD wait = timeoutMs - elapsed < 2 ? timeoutMs - elapsed : 2;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

int ThreadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == self)
            ++count;
    CloseHandle(snapshot);
    return count;
}

// Looks at the thread list on every pass: with one worker it is cheap, and
// a look only every 20 ms made each wait last at least one 20 ms step.
bool WaitForThreadsAtMost(int count, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (ThreadCount() <= count)
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

// Wine answers 0 to GetProcessHandleCount, but lists every handle of the
// system through NtQuerySystemInformation (SystemHandleInformation).
DWORD CountHandles()
{
    DWORD reported = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &reported) && reported)
        return reported;
    struct Entry {
        ULONG process;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct Table {
        ULONG entries;
        Entry entry[1];
    };
    typedef LONG(WINAPI * Query)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation"));
    if (!query)
        return 0;
    constexpr ULONG SYSTEM_HANDLE_INFORMATION = 16;
    constexpr LONG INFO_LENGTH_MISMATCH = LONG(0xC0000004);
    std::vector<uint8_t> buffer(1 << 20);
    ULONG length = 0;
    LONG status;
    while ((status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(), ULONG(buffer.size()), &length)) ==
           INFO_LENGTH_MISMATCH)
        buffer.resize(buffer.size() * 2);
    if (status)
        return 0;
    const auto *table = reinterpret_cast<const Table *>(buffer.data());
    DWORD count = 0, self = GetCurrentProcessId();
    for (ULONG i = 0; i < table->entries; ++i)
        if (table->entry[i].process == self)
            ++count;
    return count;
}

bool WaitForSentMessage(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        SwitchToThread();
    }
    return true;
}

size_t CommittedPrivateBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (uintptr_t address = 0; VirtualQuery(reinterpret_cast<void *>(address), &info, sizeof info) == sizeof info;
         address = uintptr_t(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (uintptr_t(info.BaseAddress) + info.RegionSize < address)
            break;
    }
    return total;
}

// Asked of the system by ever smaller sizes rather than walked: Wine keeps
// ranges of its own that only it hands out.
std::vector<void *> ReserveFreeAddressSpace()
{
    std::vector<void *> ranges;
    ranges.reserve(65536);
    for (SIZE_T size = SIZE_T(1) << 30; size >= 64 * 1024 && ranges.size() < ranges.capacity();)
        if (void *range = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
            ranges.push_back(range);
        else
            size /= 2;
    return ranges;
}

void ReleaseAddressSpace(const std::vector<void *> &ranges)
{
    for (void *range : ranges)
        VirtualFree(range, 0, MEM_RELEASE);
}

ResourceCounts CountResources()
{
    ResourceCounts counts = {};
    counts.handles = CountHandles();
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return counts;
}

} // namespace host
