// The substitute host: what the iTunes player offers a plug-in, made real
// with Win32 windows on the calling thread. Shared by tests, demo and
// benchmarks. Call everything from one thread: it is the host's
// user-interface thread, which owns the windows and calls the plug-in.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "playerlayout.h"

namespace host {

constexpr uint32_t Code(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
           uint32_t(uint8_t(text[2])) << 8 | uint32_t(uint8_t(text[3]));
}

// ---- windows ---------------------------------------------------------------
// The main window is a borderless popup, so window and client coordinates
// agree as they do on the real host's own-drawn window.
struct WindowPlacement {
    int x = 100, y = 100, width = 640, height = 420;
    int eqX = 760, eqY = 100, eqWidth = 360, eqHeight = 160;
    // The class registered with RegisterClassW, as a Unicode player's.
    bool unicode = false;
};
bool CreateHostWindows(const WindowPlacement &placement = WindowPlacement());
// Both are borderless popups, as the player's own-drawn windows are.
constexpr DWORD HOST_WINDOW_STYLE = WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
extern HWND mainWindow;
extern HWND equalizerWindow;
// Resizes the main window the way the user (or the host's mini player) does.
void ResizeMain(int width, int height);

// What the host's responses recorded, beyond the message logs.
extern int miniControlPresses;    // left presses on the mini player's control at (16, 28)
extern std::vector<std::string> menuItemsChosen; // items the host's own menus chose

// ---- the interface the host speaks -----------------------------------------
// What the host announces at "init": 10.5, or 2.0 (plug-in messages 10.9)
// as every player of today does. Taken at start from the environment
// variable BRAMBLECOURT_HOST_INTERFACE ("2.0"), so that the programs a test
// starts speak as the test does; a program may set it before Init.
enum Interface { INTERFACE_10_5, INTERFACE_2_0 };
extern Interface hostInterface;
// The interface the plug-in registered with, which the host then speaks:
// 'regv' and 'Vply'/'Ctrk' with the longer UTF-16 record alone, or "rvis"
// and "vply"/"ctrk" with both track records.
bool SpeaksInterface2();

// ---- plug-in calls ---------------------------------------------------------
struct AppCall {
    void *cookie;
    uint32_t message;
    // The record as far as its header's size says, zero beyond.
    std::array<uint8_t, layout::call::SIZE_2_0> record;
};
extern std::vector<AppCall> appCalls;  // every call of the application procedure
extern int32_t appStatus;              // what the application procedure returns
extern void *const cookie;             // the cookie handed over at "init"

typedef int32_t(__cdecl *PluginMain)(uint32_t message, void *information, void *reference);
typedef int32_t(__cdecl *VisualProc)(uint32_t message, void *information, void *reference);

extern HMODULE plugin;
extern PluginMain pluginMain;
extern VisualProc visualHandler;       // taken from the registration

// LoadLibrary the module (beside the calling program by default).
bool LoadPlugin(const char *path = "Bramblecourt.dll");
int32_t Init();                        // "init" with the cookie, the procedure and the version
// Whether the plug-in wrote nothing past the end of the "init" record.
extern bool initGuardKept;
int32_t SendVisual(uint32_t code, const void *information);
int32_t Idle();                        // "null"
// "vply" with the 8-bit record alone; in 2.0 'Vply' with the UTF-16 record
// made from it.
int32_t Play(const std::vector<uint8_t> &track);
// The same message made once and sent many times, so that a benchmark
// times the plug-in's handler and not the host's making of the record.
struct PreparedPlay {
    std::vector<uint8_t> record; // the 8-bit record, or in 2.0 the UTF-16 one
    bool interface2;
};
PreparedPlay PreparePlay(const std::vector<uint8_t> &track);
int32_t Play(const PreparedPlay &play);
// "ctrk", or 'Ctrk': the track's information (or the stream's song) changed.
struct Track;
int32_t TrackInfoChanged(const Track &track);
// Every record of a track made once, for a benchmark to send many times.
struct PreparedTrack {
    std::vector<uint8_t> record, unicode, narrowStream, unicodeStream;
    bool unicodeSent, unicodeStreamSent;
    uint32_t bitRate, sampleRate;
    uint16_t channels;
};
PreparedTrack PrepareTrack(const Track &track);
int32_t TrackInfoChanged(const PreparedTrack &track);
int32_t Stop();                        // "vstp"
int32_t SetPosition(uint32_t ms);      // "setp"
int32_t Clean();                       // "clr "

// ---- track records ---------------------------------------------------------
constexpr size_t TRACK_SIZE = 2116;
constexpr size_t UNICODE_TRACK_SIZE = 4692;
constexpr size_t UNICODE_TRACK_SIZE_2 = 5728;
// The UTF-16 record's size in the interface the host speaks.
uint32_t UnicodeTrackSize();
constexpr uint32_t FULL_RECORD = ~0u;
// A track as the host describes it in both records. The texts are 8-bit in
// the code page; each has a UTF-16 twin in `wide`. Where only one of the two
// is given, the other is made from it by the code page, as the player does
// (a character the code page lacks becomes "?").
struct Track {
    std::string name, artist, genre;
    int32_t number = 1;
    uint16_t year = 2004;
    uint32_t totalMs = 200000;
    uint32_t startMs = 0;
    std::string album, fileName, comment;
    int32_t count = 0;       // tracks on the album
    uint32_t bitRate = 0;    // kbps
    uint32_t sampleRate = 0; // Hz
    uint16_t channels = 0;
    struct {
        std::wstring name, artist, genre, album, fileName, comment;
    } wide;
    // Only the newer interface's record has a field for it.
    std::wstring albumArtist;
    // The UTF-16 record's recordLength, FULL_RECORD for its whole size. 0
    // sends "vply" without that record; in 2.0, where it is the only one,
    // 0 is its whole size too.
    uint32_t unicodeLength = FULL_RECORD;
    // An internet radio stream: the track's name is the station's, the
    // stream records carry the song now playing (empty between songs). In
    // 10.5 both stream records come, the 8-bit title in the code page;
    // `narrowOnly` leaves out the UTF-16 one.
    struct {
        bool present = false;
        std::wstring title;
        bool narrowOnly = false;
    } stream;
};
std::vector<uint8_t> BuildTrack(const Track &track);
std::vector<uint8_t> BuildUnicodeTrack(const Track &track);
// The track's stream record, 8-bit or UTF-16 (of the interface spoken);
// empty for a track that is no stream.
std::vector<uint8_t> BuildStream(const Track &track, bool unicode);
// "vply" with both records, the bit rate and the sound format; in 2.0
// 'Vply' with the UTF-16 record and the format.
int32_t Play(const Track &track);
// What the host answers to "itsz": the largest UTF-16 record it fills (0:
// the interface's own size).
extern uint32_t trackInfoSize;
// Counted text as the host writes it: length byte, characters, zero byte.
void PutCountedText(std::vector<uint8_t> &record, size_t offset, const std::string &text);

// ---- cover art --------------------------------------------------------------
// What the host answers to 'rart', as a player does: later, on its own
// thread (the next pump), with 'Vart' carrying these bytes (none when
// empty) and their format (13 JPEG, 14 PNG, 27 BMP).
struct CoverArt {
    std::vector<uint8_t> bytes;
    uint32_t format = 13;
};
extern CoverArt coverArt;
// How many times the plug-in asked for the art.
int ArtRequests();
// 'Vart' now, with these bytes (null: none).
int32_t SendCoverArt(const void *bytes, uint32_t size, uint32_t format);

// ---- registry --------------------------------------------------------------
// The settings key of the current user (where the module keeps it), or the
// machine's key of the same name that earlier installs kept.
extern const char *const SETTINGS_KEY;
enum SettingsRoot { USER, MACHINE };
void ResetSettings();                  // removes both keys
bool SettingsKeyExists(SettingsRoot root = USER);
void SetSettingDword(const char *name, DWORD value, SettingsRoot root = USER);
void SetSettingRaw(const char *name, DWORD type, const void *data, DWORD size, SettingsRoot root = USER);
void SetSettingText(const char *name, const std::string &text);
// The same through the Unicode calls, as the module keeps the user's texts.
void SetSettingText(const char *name, const std::wstring &text);
// false when missing; type and raw bytes otherwise.
bool ReadSetting(const char *name, DWORD *type, std::vector<uint8_t> *data, SettingsRoot root = USER);
bool ReadSettingDword(const char *name, DWORD *value, SettingsRoot root = USER);
// A REG_SZ value's text; "(missing)" when absent or of another type.
std::string ReadSettingText(const char *name);
std::wstring ReadSettingTextW(const char *name);
// Default value of HKCR "daap\DefaultIcon": the host executable's path.
void SetHostExecutablePath(const char *path);
void DeleteHostExecutablePath();

// ---- other programs --------------------------------------------------------
// The path of a program of the build, beside the calling one.
std::string ProgramBeside(const char *program);
// Starts that program with each argument quoted; a null process when it did
// not start. The caller closes the process handle.
struct StartedProgram {
    HANDLE process;
    DWORD id;
};
StartedProgram StartProgram(const char *program, const std::vector<std::string> &arguments);

// ---- Windows' media controls: the stand-in (tests/standins) -----------------
// Registers the stand-in beside the calling program as the runtime classes
// the module activates (all but the controls' own with controlsClass
// false), or removes them.
void RegisterMediaControlsStandIn(bool registered, bool controlsClass = true);
// The stand-in's record of the calls that change what the controls show,
// oldest first ("PlaybackStatus 3", "Update title=... thumbnail=64x64", ...).
std::vector<std::wstring> MediaControlsCalls();
void ClearMediaControlsCalls();
// Its objects alive, the ButtonPressed handlers registered, and the display
// updates since it loaded (not cleared with the record).
long MediaControlsObjects();
long MediaControlsUpdates();
long MediaControlsHandlers();
// A press of a button (0 play, 1 pause, 2 stop, 6 next, 7 previous), the
// handlers called on a thread of the stand-in; returns once they returned.
void PressMediaControlsButton(int button);
// While held, a file the module asks the stand-in to open never opens.
void HoldMediaControlsFiles(bool hold);
// ---- pumping ---------------------------------------------------------------
// Dispatches what is queued for this thread, logging posted messages of the
// host windows on the way.
void PumpMessages();
// Pumps until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()> &condition, DWORD timeoutMs = 5000);
void PumpFor(DWORD ms);
// Threads of this process, to wait until the plug-in's workers are done.
int ThreadCount();
bool WaitForThreadsAtMost(int count, DWORD timeoutMs = 5000);

// Waits, without handling it, until another thread has sent this thread a
// message (a worker setting a window text of this thread is then held until
// the next pump); false when none came in time.
bool WaitForSentMessage(DWORD timeoutMs = 5000);

// Committed private memory of this process, walked page range by page
// range: Wine's process counters do not follow private allocations.
size_t CommittedPrivateBytes();
// Reserves every free range of the address space, so that nothing more can
// be mapped (a new thread's stack, for one); and gives the ranges back.
std::vector<void *> ReserveFreeAddressSpace();
void ReleaseAddressSpace(const std::vector<void *> &ranges);

// What a user or another program reads: a file's bytes ("(missing)" when
// absent or not to be opened), the clipboard's text ("(none)", "(not opened)"), a window's
// text ("(no window)").
std::string FileBytes(const std::string &path);
std::string ClipboardText();
// A clipboard format's whole block, as GlobalSize gives it.
std::string ClipboardBytes(UINT format);
std::string WindowText(HWND window);
// The same as Unicode: CF_UNICODETEXT, GetWindowTextW.
std::wstring ClipboardUnicodeText();
std::wstring WindowTextW(HWND window);

// Handles, GDI and USER objects of this process; handles under Wine, where
// GetProcessHandleCount gives 0, from the system's list of handles.
struct ResourceCounts { DWORD handles, gdi, user; };
ResourceCounts CountResources();
// GDI objects of this process; under Wine, where GetGuiResources gives 0,
// found one by one in the handle table (gdiobjects.cpp).
DWORD CountGdiObjects();

// A window made the foreground window (with the keyboard focus when it is
// this thread's); and real key input through SendInput.
bool BringToFront(HWND window);
void SendKey(WORD key, bool release);

// Another program, a process of its own (other_program.exe beside the
// calling program), its window in front with the focus: a window of the
// host's own process in front would be the player's, and its keys depend on
// nothing the calling thread does. Started once; its window, or nullptr
// when it did not come to the front.
HWND StartOtherProgram();
// How many key messages of the kind the other program's window received.
int OtherProgramGot(UINT message, WORD key);
// The other program types the key into its window with SendInput, `times`
// times pressed and released, while the calling thread (the host's) is
// blocked without pumping for up to blockMs, as a busy player's is. Returns
// each release's delay in milliseconds, from its SendInput until the window
// had it, also for a key that came only once the host pumped again.
std::vector<double> TypeWhileHostIsBusy(WORD key, int times, DWORD blockMs);
void StopOtherProgram();

// ---- display scale ---------------------------------------------------------
// Declares this process DPI-aware, as a player that scales itself does: the
// system then reports the display's own DPI to it instead of 96.
void MakeDpiAware();
// The screen's DPI (LOGPIXELSX), and a length at 96 DPI at that scale: the
// host's own lengths (the mini player's height, its control) follow it.
int ScreenDpi();
int Scaled(int length);
// What a run of RunProgramAtDpi asked for (0 in any other process), so that
// such a process can check it got it.
int RequestedDpi();
// Runs a program of the build in a process that starts with the display at
// `dpi`: Wine reads HKCU\Control Panel\Desktop "LogPixels" once, when a
// process starts, so the value is written for the start and put back after
// the end. Pumps while it waits. The exit code (-1: did not start or end in
// time) and everything the program wrote to its standard output and error.
struct ProgramRun {
    int exitCode;
    std::string output;
};
ProgramRun RunProgramAtDpi(int dpi, const char *program, const std::vector<std::string> &arguments,
                           DWORD timeoutMs = 60000);

// The host's own menus (implemented beside the host windows).
bool HostMenuKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ResetHostMenus();

} // namespace host
