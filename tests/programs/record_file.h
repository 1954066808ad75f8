// What the recorder programs share: a record written aside and renamed, so
// a test polling for the file never reads half of it.
#pragma once
#include <windows.h>

#include <cstdio>

inline void WriteRecord(const char *path, const char *firstLine, const char *commandLine)
{
    char partial[MAX_PATH + 8];
    snprintf(partial, sizeof partial, "%s.part", path);
    if (FILE *file = fopen(partial, "wb")) {
        fprintf(file, "%s\n%s", firstLine, commandLine);
        fclose(file);
        MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING);
    }
}
