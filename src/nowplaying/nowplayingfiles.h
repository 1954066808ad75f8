// The files beside the song file, as parts of what the outputs show: each
// part's newest content is written whole, and written again while another
// program holds the file. Only one thread writes them at a time (the track
// worker, or the host's thread while none lives), and each write holds the
// song file (SongFileLock).
#pragma once
#include <cstddef>
#include <initializer_list>

enum NowPlayingFileParts : unsigned {
    SONG_FILE_PART = 1,  // CurrentSong.txt
    UTF8_TWIN_PART = 2,  // CurrentSong.utf8.txt
    LINE_FILE_PART = 4,  // NowPlaying.txt
    COVER_FILE_PART = 8, // CurrentCover.png
    BOTH_SONG_FILES = SONG_FILE_PART | UTF8_TWIN_PART,
    FILE_OPTION_PARTS = BOTH_SONG_FILES | LINE_FILE_PART, // what "File" switches
};

// The options ask for the part now.
bool NowPlayingFileWanted(unsigned part);

struct FileContent {
    unsigned part;
    const void *bytes;
    size_t size; // 0: nothing to write
};
// The parts' new contents, written where the options ask for them; each
// replaces what an earlier one still owed. Returns the parts owed: those
// whose newest content another program kept out.
unsigned ReplaceNowPlayingFiles(std::initializer_list<FileContent> contents);
// The owed among `parts` written again; returns the parts still owed.
unsigned RewriteNowPlayingFiles(unsigned parts);
unsigned NowPlayingFilesOwed();
// The parts' files are gone: nothing of them is owed any more. With the
// song file held.
void ForgetNowPlayingFiles(unsigned parts);
