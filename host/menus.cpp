// The host's own menus, navigated by Alt, the arrow keys and Enter.
#include "host.h"

namespace host {

bool HostMenuKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return true;
}

void ResetHostMenus() {}

} // namespace host
