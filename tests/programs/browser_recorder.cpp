// Stands in for the web browser: registered as the open command of the
// address's scheme, it records the command line it got and how many
// arguments the browser would see in it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &count));
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    strncat(path, "Bramblecourt browser.txt", sizeof path - strlen(path) - 1);
    char partial[MAX_PATH + 8];
    snprintf(partial, sizeof partial, "%s.part", path);
    // Written aside and renamed, so the test never reads half a record.
    if (FILE *file = fopen(partial, "wb")) {
        fprintf(file, "%d\n%s", count, GetCommandLineA());
        fclose(file);
        MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING);
    }
    return 0;
}
