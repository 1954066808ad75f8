// Stands in for the DuzaZezuvu program: installed under that name, it
// records which file was started and with what command line, beside itself.
#include <windows.h>

#include <cstring>

#include "record_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    char record[MAX_PATH + 16];
    snprintf(record, sizeof record, "%s", self);
    if (char *slash = strrchr(record, '\\'))
        snprintf(slash + 1, sizeof record - (slash + 1 - record), "started.txt");
    WriteRecord(record, self, GetCommandLineA());
    return 0;
}
