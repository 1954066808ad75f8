// A program written for the Winamp player: it finds the window of class
// "Winamp v1.x", asks it Winamp's queries, reads its title as Winamp's
// now-playing title and sends Winamp's transport commands. Texts the window
// hands out by address it reads from the player's memory (when asked, at
// only the low 32 bits of each answer, as a 32-bit program is given), and it
// places its extended-file-info requests there, as such programs do.
//
// winamp_client <sink window>
#include <cstdio>
#include <string>

#include "peer_protocol.h"

namespace {

constexpr UINT WM_WA_IPC = WM_USER;
constexpr LPARAM IPC_GETVERSION = 0, IPC_ISPLAYING = 104, IPC_GETOUTPUTTIME = 105, IPC_GETLISTLENGTH = 124,
                 IPC_GETLISTPOS = 125, IPC_GETPLAYLISTFILE = 211, IPC_GETPLAYLISTTITLE = 212,
                 IPC_GETPLAYLISTTITLEW = 213, IPC_GETPLAYLISTFILEW = 214, IPC_GET_EXTENDED_FILE_INFO = 290,
                 IPC_GET_EXTENDED_FILE_INFOW = 3026, IPC_GET_PLAYING_FILENAME = 3031, IPC_GET_PLAYING_TITLE = 3034;

HWND sink;
HWND self;

bool StripSuffix(std::string &text, const std::string &suffix)
{
    if (text.size() < suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    text.erase(text.size() - suffix.size());
    return true;
}

// "N. Artist - Title - Winamp", " [Paused]" after it while paused.
void ParseTitle(const char *windowTitle, peer::Report &report)
{
    std::string text = windowTitle;
    report.paused = StripSuffix(text, " [Paused]");
    StripSuffix(text, " - Winamp");
    size_t dot = text.find(". ");
    if (dot != std::string::npos) {
        report.number = atoi(text.substr(0, dot).c_str());
        text.erase(0, dot + 2);
    }
    std::string artist, title = text;
    size_t dash = text.find(" - ");
    if (dash != std::string::npos) {
        artist = text.substr(0, dash);
        title = text.substr(dash + 3);
    }
    snprintf(report.artist, sizeof report.artist, "%s", artist.c_str());
    snprintf(report.title, sizeof report.title, "%s", title.c_str());
}

peer::Report &View()
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = peer::REPORT_WINAMP;
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    report.result = winamp != nullptr;
    if (!winamp)
        return report;
    report.version = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETVERSION));
    report.playState = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_ISPLAYING));
    report.positionMs = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETOUTPUTTIME));
    report.lengthSeconds = int32_t(SendMessageA(winamp, WM_WA_IPC, 1, IPC_GETOUTPUTTIME));
    report.lengthMs = int32_t(SendMessageA(winamp, WM_WA_IPC, 2, IPC_GETOUTPUTTIME));
    report.listLength = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETLISTLENGTH));
    report.listPosition = int32_t(SendMessageA(winamp, WM_WA_IPC, 0, IPC_GETLISTPOS));
    GetWindowTextA(winamp, report.winampTitle, sizeof report.winampTitle);
    ParseTitle(report.winampTitle, report);
    return report;
}

HANDLE OpenPlayer(HWND winamp)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(winamp, &processId);
    return OpenProcess(PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_VM_OPERATION | PROCESS_QUERY_INFORMATION, FALSE,
                       processId);
}

// MAX_PATH characters from the player at the address it answered, or at
// the part of it a 32-bit program is given.
template <typename Character>
void ReadText(HANDLE player, HWND winamp, WPARAM argument, LPARAM code, Character (&text)[260], uint32_t bit,
              peer::Report &report, bool as32Bit)
{
    LRESULT address = SendMessageW(winamp, WM_WA_IPC, argument, code);
    if (as32Bit)
        address = LRESULT(uint32_t(address));
    if (!address)
        return;
    SIZE_T read = 0;
    if (ReadProcessMemory(player, reinterpret_cast<void *>(address), text, sizeof text, &read) &&
        read == sizeof text)
        report.addressed |= bit;
    text[259] = 0;
}

void ReportTexts(bool as32Bit)
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = peer::REPORT_WINAMP_TEXTS;
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    HANDLE player = OpenPlayer(winamp);
    WPARAM position = WPARAM(SendMessageW(winamp, WM_WA_IPC, 0, IPC_GETLISTPOS));
    ReadText(player, winamp, position, IPC_GETPLAYLISTFILE, report.playlistFile, 1, report, as32Bit);
    ReadText(player, winamp, position, IPC_GETPLAYLISTTITLE, report.playlistTitle, 2, report, as32Bit);
    ReadText(player, winamp, position, IPC_GETPLAYLISTFILEW, report.playlistFileW, 4, report, as32Bit);
    ReadText(player, winamp, position, IPC_GETPLAYLISTTITLEW, report.playlistTitleW, 8, report, as32Bit);
    ReadText(player, winamp, 0, IPC_GET_PLAYING_FILENAME, report.playingFile, 16, report, as32Bit);
    ReadText(player, winamp, 0, IPC_GET_PLAYING_TITLE, report.playingTitle, 32, report, as32Bit);
    report.otherPositionAnswer = SendMessageW(winamp, WM_WA_IPC, position + 1, IPC_GETPLAYLISTFILE) != 0;
    CloseHandle(player);
    peer::SendReport(sink, self, report);
}

// Winamp's extendedFileInfoStruct and its wide twin.
template <typename Character> struct ExtendedInfo {
    const Character *fileName;
    const Character *field;
    Character *result;
    size_t resultLength;
};

struct Churn {
    HANDLE player;
    uint8_t *base;
    SIZE_T size;
    volatile LONG stop;
};

// Takes the pages away and gives them back, their bytes kept, until told.
DWORD WINAPI ChurnPages(void *parameter)
{
    auto *churn = static_cast<Churn *>(parameter);
    static uint8_t saved[8192];
    ReadProcessMemory(churn->player, churn->base, saved, churn->size, nullptr);
    while (!churn->stop) {
        VirtualFreeEx(churn->player, churn->base, churn->size, MEM_DECOMMIT);
        VirtualAllocEx(churn->player, churn->base, churn->size, MEM_COMMIT, PAGE_READWRITE);
        WriteProcessMemory(churn->player, churn->base, saved, churn->size, nullptr);
    }
    return 0;
}

// Many requests while another thread takes their pages away and back: the
// player must answer each, whatever it finds, and never fault.
void AskWhileChurning(HANDLE player, HWND winamp, uint8_t *base, SIZE_T size, UINT code)
{
    Churn churn = {player, base, size, 0};
    HANDLE thread = CreateThread(nullptr, 0, ChurnPages, &churn, 0, nullptr);
    for (int i = 0; i < 300; ++i)
        SendMessageW(winamp, WM_WA_IPC, WPARAM(base), code);
    InterlockedExchange(&churn.stop, 1);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

// In the player: page 0 read-write (request at 0, file name at 512, tag name
// at 1024, result at 2048), page 1 read-only, pages 2 and 3 only reserved.
template <typename Character>
int32_t AskTag(HANDLE player, HWND winamp, uint32_t tag, peer::TagPlacement placement, char (&utf8)[300])
{
    constexpr SIZE_T PAGE = 4096;
    auto *base = static_cast<uint8_t *>(VirtualAllocEx(player, nullptr, 4 * PAGE, MEM_RESERVE, PAGE_NOACCESS));
    VirtualAllocEx(player, base, 2 * PAGE, MEM_COMMIT, PAGE_READWRITE);

    Character fileName[260] = {};
    bool wide = sizeof(Character) == 2;
    WPARAM position = WPARAM(SendMessageW(winamp, WM_WA_IPC, 0, IPC_GETLISTPOS));
    LPARAM address = SendMessageW(winamp, WM_WA_IPC, position, wide ? IPC_GETPLAYLISTFILEW : IPC_GETPLAYLISTFILE);
    ReadProcessMemory(player, reinterpret_cast<void *>(address), fileName, sizeof fileName, nullptr);
    if (placement == peer::TAG_OTHER_FILE)
        fileName[0] = Character('#');
    Character field[32] = {};
    for (int i = 0; peer::TAG_NAMES[tag][i]; ++i)
        field[i] = Character(peer::TAG_NAMES[tag][i]);
    size_t fieldLength = 0;
    while (field[fieldLength])
        ++fieldLength;

    ExtendedInfo<Character> request = {reinterpret_cast<Character *>(base + 512),
                                       reinterpret_cast<Character *>(base + 1024),
                                       reinterpret_cast<Character *>(base + 2048), 64};
    uint8_t *requestAt = base;
    switch (placement) {
    case peer::TAG_REQUEST_UNCOMMITTED:
        requestAt = base + 2 * PAGE;
        break;
    case peer::TAG_FILE_UNCOMMITTED:
        request.fileName = reinterpret_cast<Character *>(base + 2 * PAGE);
        break;
    case peer::TAG_RESULT_READ_ONLY:
        request.result = reinterpret_cast<Character *>(base + PAGE);
        break;
    case peer::TAG_RESULT_CROSSES:
        request.result = reinterpret_cast<Character *>(base + PAGE - 16);
        break;
    case peer::TAG_FIELD_UNTERMINATED:
        request.field = reinterpret_cast<Character *>(base + 2 * PAGE - fieldLength * sizeof(Character));
        break;
    default:
        break;
    }
    WriteProcessMemory(player, base, &request, sizeof request, nullptr);
    WriteProcessMemory(player, base + 512, fileName, sizeof fileName, nullptr);
    WriteProcessMemory(player, const_cast<Character *>(request.field), field, fieldLength * sizeof(Character) +
                       (placement == peer::TAG_FIELD_UNTERMINATED ? 0 : sizeof(Character)), nullptr);
    DWORD old;
    VirtualProtectEx(player, base + PAGE, PAGE, PAGE_READONLY, &old);

    UINT code = wide ? IPC_GET_EXTENDED_FILE_INFOW : IPC_GET_EXTENDED_FILE_INFO;
    if (placement == peer::TAG_REQUEST_CHURNS)
        AskWhileChurning(player, winamp, base, 2 * PAGE, code);
    int32_t answer = int32_t(SendMessageW(winamp, WM_WA_IPC, WPARAM(requestAt), code));
    Character result[64] = {};
    ReadProcessMemory(player, request.result, result, sizeof result, nullptr);
    result[63] = 0;
    if (wide)
        WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t *>(result), -1, utf8, sizeof utf8, nullptr,
                            nullptr);
    else
        snprintf(utf8, sizeof utf8, "%s", reinterpret_cast<const char *>(result));
    VirtualFreeEx(player, base, 0, MEM_RELEASE);
    return answer;
}

void ReportTag(WPARAM request)
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = peer::REPORT_WINAMP_TAG;
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    HANDLE player = OpenPlayer(winamp);
    uint32_t tag = request & 0xFF;
    auto placement = peer::TagPlacement(request >> 16);
    report.result = request & 0x100 ? AskTag<wchar_t>(player, winamp, tag, placement, report.tag)
                                    : AskTag<char>(player, winamp, tag, placement, report.tag);
    CloseHandle(player);
    peer::SendReport(sink, self, report);
}

void SendCommand(WPARAM command)
{
    static peer::Report report;
    memset(&report, 0, sizeof report);
    report.kind = peer::REPORT_SYNC;
    report.code = uint32_t(command);
    HWND winamp = FindWindowA("Winamp v1.x", nullptr);
    report.result = int32_t(SendMessageA(winamp, WM_COMMAND, command, 0));
    peer::SendReport(sink, self, report);
}

LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case peer::REQUEST_WINAMP_VIEW:
        peer::SendReport(sink, self, View());
        return 0;
    case peer::REQUEST_WINAMP_COMMAND:
        SendCommand(wParam);
        return 0;
    case peer::REQUEST_WINAMP_TEXTS:
        ReportTexts(wParam == peer::AS_32_BIT_PROGRAM);
        return 0;
    case peer::REQUEST_WINAMP_TAG:
        ReportTag(wParam);
        return 0;
    case peer::REQUEST_QUIT:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    sink = peer::ParseWindow(argv[1]);
    self = peer::CreateProgramWindow("BramblecourtWinampClient", ClientWindowProc);
    static peer::Report ready;
    ready.kind = peer::REPORT_READY;
    ready.peerWindow = uint32_t(uintptr_t(self));
    peer::SendReport(sink, self, ready);
    return peer::RunMessageLoop();
}
