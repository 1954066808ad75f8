// The song files' place. A player installed under "Program Files" runs as a
// standard process that may not create files in its own folder, and its
// manifest turns file virtualization off: a file that only the player's
// folder could hold would never be written. So that folder is used only when
// a file can be created there; other programs read the place in "SongFile".
#include "nowplaying/songpath.h"

#include <shlobj.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "nowplaying/coverfile.h"
#include "nowplaying/nowplayingfiles.h"
#include "settings/settings.h"

char currentSongPath[SONG_PATH_SIZE];

namespace {

struct NowPlayingFile {
    unsigned part;
    const char *name;
    const char *publishedAs; // the settings' text value with its path, if any
};

// The files, all in one folder; the song file first.
constexpr std::array<NowPlayingFile, 4> FILES = {{
    {SONG_FILE_PART, "CurrentSong.txt", "SongFile"},
    {UTF8_TWIN_PART, "CurrentSong.utf8.txt", nullptr},
    {LINE_FILE_PART, "NowPlaying.txt", "LineFile"},
    {COVER_FILE_PART, "CurrentCover.png", "CoverFile"},
}};
constexpr char PER_USER_FOLDER[] = "\\Bramblecourt";

constexpr size_t LongestName()
{
    size_t longest = 0;
    for (const NowPlayingFile &file : FILES) {
        size_t length = 0;
        while (file.name[length])
            ++length;
        longest = length > longest ? length : longest;
    }
    return longest;
}
// Leaves room in the path for a separator and the longest file name.
constexpr size_t FOLDER_SIZE = SONG_PATH_SIZE - 2 - LongestName();

using FolderPath = char[FOLDER_SIZE];

// The folder of currentSongPath; changed with it.
FolderPath currentFolder;
volatile LONG songFileHolder; // the holding thread's id, 0 when free
DWORD songFileDepth;          // the holder's alone

bool CopyFolder(const char *text, size_t length, FolderPath &folder)
{
    while (length > 0 && (text[length - 1] == '\\' || text[length - 1] == '/'))
        --length;
    if (length == 0 || length >= sizeof folder)
        return false;
    memcpy(folder, text, length);
    folder[length] = '\0';
    return true;
}

bool IsFolder(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsAbsolute(const char *path)
{
    bool drive = isalpha(uint8_t(path[0])) && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || (path[0] == '\\' && path[1] == '\\');
}

// The player registers its executable as the daap: scheme's icon, written
// as a path, quoted or not, possibly followed by an icon index (",0").
bool PlayerFolder(FolderPath &folder)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "daap\\DefaultIcon", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char value[SONG_PATH_SIZE] = {};
    DWORD size = sizeof value - 1;
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    const char *path = value;
    while (*path == ' ')
        ++path;
    size_t length;
    if (*path == '"') {
        const char *end = strchr(++path, '"');
        if (!end)
            return false;
        length = size_t(end - path);
    } else {
        length = strlen(path);
        const char *comma = strrchr(path, ',');
        if (comma && strspn(comma + 1, " -0123456789") == strlen(comma + 1))
            length = size_t(comma - path);
    }
    while (length > 0 && path[length - 1] == ' ')
        --length;
    // A bare name would put the files wherever the host's current folder
    // happens to be.
    size_t nameStart = length;
    while (nameStart > 0 && path[nameStart - 1] != '\\' && path[nameStart - 1] != '/')
        --nameStart;
    if (nameStart == 0 || nameStart == length || !IsAbsolute(path))
        return false;
    return CopyFolder(path, nameStart, folder);
}

// A file can be created there, and neither file's name is taken by a
// folder or a read-only file. The probe is deleted by its closing.
bool CanCreateSongFiles(const FolderPath &folder)
{
    char probe[SONG_PATH_SIZE + 40];
    snprintf(probe, sizeof probe, "%s\\~Bramblecourt.%lu.%lu.tmp", folder, GetCurrentProcessId(),
             GetCurrentThreadId());
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    for (const NowPlayingFile &file : FILES) {
        char path[SONG_PATH_SIZE];
        snprintf(path, sizeof path, "%s\\%s", folder, file.name);
        DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
            return false;
    }
    return true;
}

bool PerUserFolder(FolderPath &folder)
{
    char base[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)))
        return false;
    int length = snprintf(folder, sizeof folder, "%s%s", base, PER_USER_FOLDER);
    if (length <= 0 || size_t(length) >= sizeof folder)
        return false;
    CreateDirectoryA(folder, nullptr);
    return true;
}

bool ChosenFolder(FolderPath &folder)
{
    char text[SONG_PATH_SIZE];
    return ReadSettingText("SongFileFolder", text, sizeof text) && IsAbsolute(text) &&
           CopyFolder(text, strlen(text), folder) && IsFolder(folder);
}

void SongFilePathIn(const char *folder, const char *name, char (&path)[SONG_PATH_SIZE])
{
    snprintf(path, sizeof path, "%s\\%s", folder, name);
}

// With the song file held.
void UseFolder(const FolderPath &folder)
{
    memcpy(currentFolder, folder, sizeof currentFolder);
    ForgetShownCover();
    for (const NowPlayingFile &file : FILES) {
        char path[SONG_PATH_SIZE];
        if (!NowPlayingFilePath(file.part, path))
            path[0] = '\0';
        if (file.part == SONG_FILE_PART)
            memcpy(currentSongPath, path, sizeof currentSongPath);
        if (file.publishedAs)
            SaveSettingText(file.publishedAs, path[0] ? path : nullptr);
    }
}

void FindFolder(FolderPath &folder)
{
    if (!ChosenFolder(folder) && !(PlayerFolder(folder) && CanCreateSongFiles(folder)) && !PerUserFolder(folder))
        folder[0] = '\0';
}

} // namespace

// A bare flag, not a critical section: it needs no set-up before the first
// track message, which may come before the start-up, and is held briefly.
SongFileLock::SongFileLock()
{
    LONG self = LONG(GetCurrentThreadId());
    if (songFileHolder != self)
        while (InterlockedCompareExchange(&songFileHolder, self, 0) != 0)
            Sleep(1);
    ++songFileDepth;
}

SongFileLock::~SongFileLock()
{
    if (--songFileDepth == 0)
        InterlockedExchange(&songFileHolder, 0);
}

bool NowPlayingFilePath(unsigned part, char (&path)[SONG_PATH_SIZE])
{
    if (!currentFolder[0])
        return false;
    for (const NowPlayingFile &file : FILES)
        if (file.part == part) {
            SongFilePathIn(currentFolder, file.name, path);
            return true;
        }
    return false;
}

void ComputeSongFilePath()
{
    FolderPath folder;
    FindFolder(folder);
    SongFileLock held;
    UseFolder(folder);
}

void ChooseSongFolder(const char *chosen)
{
    SaveSettingText("SongFileFolder", chosen);
    FolderPath folder;
    FindFolder(folder);
    SongFileLock held;
    FolderPath old;
    memcpy(old, currentFolder, sizeof old);
    UseFolder(folder);
    if (!old[0] || lstrcmpiA(old, folder) == 0)
        return;
    for (const NowPlayingFile &file : FILES) {
        char from[SONG_PATH_SIZE], to[SONG_PATH_SIZE];
        SongFilePathIn(old, file.name, from);
        SongFilePathIn(folder, file.name, to);
        if (!NowPlayingFileWanted(file.part) || !folder[0] ||
            !MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
            DeleteFileA(from);
    }
}

void DeleteNowPlayingFiles(unsigned parts)
{
    SongFileLock held;
    ForgetNowPlayingFiles(parts);
    for (const NowPlayingFile &file : FILES) {
        char path[SONG_PATH_SIZE];
        if ((parts & file.part) && NowPlayingFilePath(file.part, path))
            DeleteFileA(path);
    }
}
