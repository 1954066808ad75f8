// Stands in for the web browser: registered as the open command of the
// address's scheme, it records how many arguments the browser would see and
// the command line it got.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "record_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &count));
    char arguments[16];
    snprintf(arguments, sizeof arguments, "%d", count);
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    strncat(path, "Bramblecourt browser.txt", sizeof path - strlen(path) - 1);
    WriteRecord(path, arguments, GetCommandLineA());
    return 0;
}
