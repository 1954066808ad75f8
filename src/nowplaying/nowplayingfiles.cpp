// Writing the now-playing files: whole, and again while held by another.
#include "nowplaying/nowplayingfiles.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "nowplaying/songpath.h"
#include "settings/settings.h"

namespace {

constexpr unsigned PART_COUNT = 4;

// A content kept only while it is owed: most writes succeed at once and
// copy nothing (a cover picture runs to megabytes).
struct Owed {
    void *bytes;
    size_t size;
};
Owed owedContents[PART_COUNT];
unsigned owedParts;

unsigned IndexOf(unsigned part)
{
    unsigned index = 0;
    while (part > 1) {
        part >>= 1;
        ++index;
    }
    return index;
}

// The file is written aside in its own folder, flushed, and moved over the
// old one: a reader, or the end of the process at any moment, finds the old
// content or the new, never a mix or an empty file. The temporary name
// carries the thread, as a blank from the host's thread ("clr ") may meet a
// write of a track worker that did not end in time. False, with the old
// file in place and the reason as the last error, when another program
// holds it or the folder is not writable.
bool WriteWholeFile(const char *path, const void *bytes, DWORD length)
{
    char temporary[SONG_PATH_SIZE + 24];
    int size = snprintf(temporary, sizeof temporary, "%s.%lu.tmp", path, GetCurrentThreadId());
    if (size <= 0 || size >= int(sizeof temporary))
        return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes, length, &written, nullptr) && written == length && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DWORD error = GetLastError();
    DeleteFileA(temporary);
    SetLastError(error);
    return false;
}

// Another program has the file open (a reader, a virus scanner): worth
// another try. A missing folder or a full disk is not.
bool HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// False only when another program kept the content out. With the song
// file held.
bool WritePart(unsigned part, const void *bytes, size_t size)
{
    char path[SONG_PATH_SIZE];
    if (!NowPlayingFilePath(part, path) || size > MAXDWORD)
        return true;
    return WriteWholeFile(path, bytes, DWORD(size)) || !HeldByAnother(GetLastError());
}

void Forget(unsigned part)
{
    Owed &owed = owedContents[IndexOf(part)];
    if (owed.bytes)
        HeapFree(GetProcessHeap(), 0, owed.bytes);
    owed = {};
    owedParts &= ~part;
}

// Without the memory to keep it the content is not tried again.
void KeepOwed(unsigned part, const void *bytes, size_t size)
{
    void *copy = HeapAlloc(GetProcessHeap(), 0, size);
    if (!copy)
        return;
    memcpy(copy, bytes, size);
    owedContents[IndexOf(part)] = {copy, size};
    owedParts |= part;
}

} // namespace

bool NowPlayingFileWanted(unsigned part)
{
    switch (part) {
    case SONG_FILE_PART:
    case UTF8_TWIN_PART:
        return Settings.File;
    case LINE_FILE_PART:
        return Settings.File && !TextSettingEmpty(LINE_FORMAT);
    case COVER_FILE_PART:
        return Settings.Cover;
    }
    return false;
}

unsigned ReplaceNowPlayingFiles(std::initializer_list<FileContent> contents)
{
    SongFileLock held;
    for (const FileContent &content : contents) {
        Forget(content.part);
        if (content.size && NowPlayingFileWanted(content.part) &&
            !WritePart(content.part, content.bytes, content.size))
            KeepOwed(content.part, content.bytes, content.size);
    }
    return owedParts;
}

// An option switched off meanwhile is not written again.
unsigned RewriteNowPlayingFiles(unsigned parts)
{
    SongFileLock held;
    for (unsigned part = 1; part < 1u << PART_COUNT; part <<= 1) {
        if (!(parts & owedParts & part))
            continue;
        const Owed &owed = owedContents[IndexOf(part)];
        if (!NowPlayingFileWanted(part) || WritePart(part, owed.bytes, owed.size))
            Forget(part);
    }
    return owedParts;
}

unsigned NowPlayingFilesOwed()
{
    SongFileLock held;
    return owedParts;
}

void ForgetNowPlayingFiles(unsigned parts)
{
    for (unsigned part = 1; part < 1u << PART_COUNT; part <<= 1)
        if (parts & part)
            Forget(part);
}
