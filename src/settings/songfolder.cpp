// The song file row of the options dialog. The template stays as it always
// was, so the row is made when the dialog opens; a chosen folder takes
// effect at once.
#include "settings/songfolder.h"

#include <shlobj.h>

#include <cstring>

#include "nowplaying/songpath.h"
#include "plugin/plugin.h"
#include "resources/resource.h"
#include "settings/optionslayout.h"

namespace {

constexpr char CHOOSER_TEXT[] = "Choose the folder for the file with the current track information.";

HMENU ControlId(int id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

void SongFilePath(char (&path)[SONG_PATH_SIZE])
{
    SongFileLock held;
    memcpy(path, currentSongPath, sizeof path);
}

void ShowSongFilePath(HWND dialog)
{
    char path[SONG_PATH_SIZE];
    SongFilePath(path);
    SetDlgItemTextA(dialog, IDC_SONG_FILE_PATH, path);
}

// The chooser opens on the folder in use.
int CALLBACK SelectFolderInUse(HWND chooser, UINT message, LPARAM, LPARAM folder)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}

} // namespace

HWND AddSongFileRow(HWND dialog, HWND fileBox)
{
    // A read-only box: a path longer than the row scrolls, and can be copied.
    HWND field = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                 dialog, ControlId(IDC_SONG_FILE_PATH), moduleInstance, nullptr);
    // Wide, so the ellipsis is one in every code page.
    HWND button = CreateWindowExW(0, L"Button", L"Folder\u2026", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  0, 0, 0, 0, dialog, ControlId(IDC_SONG_FOLDER), moduleInstance, nullptr);
    if (!field || !button)
        return fileBox;
    InsertRowBelow(dialog, fileBox, {{field, FIT_REST}, {button, FIT_RIGHT}});
    ShowSongFilePath(dialog);
    return field;
}

void ChooseSongFolderFromDialog(HWND dialog)
{
    char folder[SONG_PATH_SIZE];
    SongFilePath(folder);
    if (char *name = strrchr(folder, '\\'))
        *name = '\0';
    // The chooser needs COM on this thread; the player's thread has it
    // already, and then this only counts once more.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char chosen[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = dialog;
    info.pszDisplayName = chosen;
    info.lpszTitle = CHOOSER_TEXT;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = SelectFolderInUse;
    info.lParam = reinterpret_cast<LPARAM>(folder);
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
    bool found = list && SHGetPathFromIDListA(list, chosen) && chosen[0];
    CoTaskMemFree(list);
    if (SUCCEEDED(com))
        CoUninitialize();
    if (!found)
        return;
    ChooseSongFolder(chosen);
    ShowSongFilePath(dialog);
}
