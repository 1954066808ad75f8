// Right-click menu of the title area and the lyrics lookup.
#include "mainwindow/popup.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "mainwindow/displayscale.h"
#include "mainwindow/lyricsurl.h"
#include "nowplaying/outputs.h"
#include "plugin/plugin.h"
#include "resources/resource.h"
#include "skin/skin.h"

namespace {

// The title area at 96 DPI: the skinned bar reaches lower than the host's
// own caption.
constexpr int BAR_MENU_HEIGHT = 40;
constexpr int CAPTION_MENU_HEIGHT = 15;

constexpr char DUZAZEZUVU_KEY[] = "SOFTWARE\\Evil Laboratories\\DuzaZezuvu";
constexpr char DUZAZEZUVU_EXE[] = "\\DuzaZezuvu.exe";
constexpr int DUZAZEZUVU_PATH_SIZE = 700;

void OpenLyricsUrl()
{
    char address[LYRICS_QUERY_SIZE];
    EncodeLyricsAddress(lyricsQuery, sizeof lyricsQuery, address, sizeof address);
    ShellExecuteA(hostMainWindow, nullptr, address, nullptr, "", SW_SHOW);
}

// The folder is quoted: unquoted, a path with blanks would let the system
// run a program planted at a prefix of it ("C:\Program.exe").
void LaunchDuzaZezuvu()
{
    HKEY key;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, DUZAZEZUVU_KEY, &key);
    char folder[DUZAZEZUVU_PATH_SIZE] = "";
    DWORD type = REG_NONE;
    // The last byte is kept for the zero a stored text may lack. A value too
    // long for the buffer fails the read; then nothing starts.
    DWORD size = sizeof folder - 1;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(folder), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        folder[0] = '\0';
    RegCloseKey(key);

    size_t length = strlen(folder);
    if (length == 0 || length + sizeof DUZAZEZUVU_EXE > DUZAZEZUVU_PATH_SIZE)
        return;
    char commandLine[DUZAZEZUVU_PATH_SIZE + 2];
    snprintf(commandLine, sizeof commandLine, "\"%s%s\"", folder, DUZAZEZUVU_EXE);
    WinExec(commandLine, SW_SHOW);
}

} // namespace

bool ShowTitlePopupMenu()
{
    RECT window = {};
    POINT cursor = {};
    GetWindowRect(hostMainWindow, &window);
    GetCursorPos(&cursor);
    int height = ScaleLength(FullBar ? BAR_MENU_HEIGHT : CAPTION_MENU_HEIGHT, WindowDpi(hostMainWindow));
    if (cursor.y >= window.top + height)
        return false;
    HMENU menu = LoadMenuA(moduleInstance, MAKEINTRESOURCEA(IDM_TITLE_POPUP));
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hostMainWindow, nullptr);
    DestroyMenu(menu);
    return true;
}

bool FindLyrics()
{
    if (HasHebrewBaseLetter(lyricsQuery, sizeof lyricsQuery)) {
        OpenLyricsUrl();
        return true;
    }
    LaunchDuzaZezuvu();
    return false;
}
