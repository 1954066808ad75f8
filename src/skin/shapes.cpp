// Skin resources, window shapes and the skin's child windows.
#include "skin/skin.h"

HWND FullBar;
HWND MiniStrip;
HWND EqBar;
int titleOffset;

void LoadSkinResources() {}
void StartSkin() {}
bool ShapeMainWindow(UINT message, WPARAM wParam, LPARAM lParam) { return false; }
void RepaintMainTitleBar() {}
bool HandleMainBarMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    return false;
}
void EnableSkin() {}
void DisableSkin() {}
void ChangeTitleOffset() {}
