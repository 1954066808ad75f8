// Stands in for the DuzaZezuvu program: installed under that name, it
// records which file was started and with what command line, beside itself.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    char record[MAX_PATH + 16];
    snprintf(record, sizeof record, "%s", self);
    if (char *slash = strrchr(record, '\\'))
        snprintf(slash + 1, sizeof record - (slash + 1 - record), "started.txt");
    char partial[MAX_PATH + 24];
    snprintf(partial, sizeof partial, "%s.part", record);
    if (FILE *file = fopen(partial, "wb")) {
        fprintf(file, "%s\n%s", self, GetCommandLineA());
        fclose(file);
        MoveFileExA(partial, record, MOVEFILE_REPLACE_EXISTING);
    }
    return 0;
}
