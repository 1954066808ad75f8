// External-program interface.
#include "nowplaying/external.h"

HWND finderWindow;

void CreateFinderWindow() {}
void NotifyRegisteredWindows(uint32_t code) {}
LRESULT AnswerExternalQuery(UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
void ShutDownExternalInterface() {}
