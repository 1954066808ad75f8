// The skin's bitmaps, button rectangles and corner regions: made once at
// "init" and kept for the module's life.
#include "skin/bars.h"

RECT barCloseRect, barMinimizeRect, barZoomRect;
RECT miniCloseRect, miniMinimizeRect, miniZoomRect;
HRGN topLeftRegion, topRightRegion, bottomLeftRegion, bottomRightRegion;

namespace {

constexpr std::array<int, 31> SKIN_BITMAP_IDS = {
    IDB_CORNER_BOTTOM_LEFT, IDB_CORNER_BOTTOM_RIGHT, IDB_BAR_CLOSE, IDB_BAR_CLOSE_HOVER,
    IDB_BAR_CLOSE_PRESSED, IDB_BAR_INACTIVE, IDB_BAR_LEFT, IDB_BAR_ZOOM,
    IDB_BAR_ZOOM_HOVER, IDB_BAR_ZOOM_PRESSED, IDB_BAR_MIDDLE, IDB_BAR_MINIMIZE,
    IDB_BAR_MINIMIZE_HOVER, IDB_BAR_MINIMIZE_PRESSED, IDB_MINI_BACKGROUND, IDB_MINI_CLOSE,
    IDB_MINI_CLOSE_HOVER, IDB_MINI_CLOSE_PRESSED, IDB_MINI_INACTIVE, IDB_MINI_ZOOM,
    IDB_MINI_ZOOM_HOVER, IDB_MINI_ZOOM_PRESSED, IDB_MINI_MINIMIZE, IDB_MINI_MINIMIZE_HOVER,
    IDB_MINI_MINIMIZE_PRESSED, IDB_BAR_RIGHT, IDB_TITLE_ACTIVE, IDB_TITLE_INACTIVE,
    IDB_EQ_TITLE_INACTIVE, IDB_EQ_TITLE_ACTIVE, IDB_EQ_MIDDLE,
};

constexpr int FIRST_BITMAP_ID = IDB_CORNER_BOTTOM_LEFT;
constexpr int LAST_BITMAP_ID = IDB_EQ_MIDDLE;
HBITMAP skinBitmaps[LAST_BITMAP_ID - FIRST_BITMAP_ID + 1];

struct ButtonRect {
    RECT *rect;
    RECT value;
};

constexpr std::array<ButtonRect, 6> BUTTON_RECTS = {{
    {&barCloseRect, {6, 4, 22, 20}},
    {&barMinimizeRect, {27, 4, 43, 20}},
    {&barZoomRect, {48, 4, 64, 20}},
    {&miniCloseRect, {6, 7, 18, 19}},
    {&miniMinimizeRect, {6, 24, 18, 36}},
    {&miniZoomRect, {6, 41, 18, 53}},
}};

} // namespace

HBITMAP SkinBitmap(int id)
{
    return skinBitmaps[id - FIRST_BITMAP_ID];
}

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    SelectObject(memory, bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x) {
            if (GetPixel(memory, x, y) == key)
                continue;
            HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
            CombineRgn(region, region, pixel, RGN_OR);
            DeleteObject(pixel);
        }
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return region;
}

void LoadSkinResources()
{
    for (int id : SKIN_BITMAP_IDS)
        skinBitmaps[id - FIRST_BITMAP_ID] = LoadBitmapA(moduleInstance, MAKEINTRESOURCEA(id));
    for (const ButtonRect &button : BUTTON_RECTS)
        *button.rect = button.value;

    // The window shapes are built from copies of these; the per-pixel work
    // happens only here.
    topLeftRegion = RegionFromBitmap(SkinBitmap(IDB_BAR_LEFT), RGB(0, 0, 0));
    topRightRegion = RegionFromBitmap(SkinBitmap(IDB_BAR_RIGHT), RGB(0, 0, 0));
    bottomLeftRegion = RegionFromBitmap(SkinBitmap(IDB_CORNER_BOTTOM_LEFT), RGB(0, 0, 0));
    bottomRightRegion = RegionFromBitmap(SkinBitmap(IDB_CORNER_BOTTOM_RIGHT), RGB(0, 0, 0));
}
