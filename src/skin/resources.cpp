// The skin's bitmaps, button rectangles and corner regions at 96 DPI: set
// up at "init" (again at the first start after a "clr "), each bitmap read
// when first needed, and all of it freed at "clr ".
#include "skin/bars.h"

RECT barCloseRect, barMinimizeRect, barZoomRect;
RECT miniCloseRect, miniMinimizeRect, miniZoomRect;

namespace {

enum BitmapKind { OPAQUE_IMAGE, BUTTON_IMAGE, SHAPE_IMAGE };

struct SkinBitmapRow {
    int id;
    BitmapKind kind;
};

constexpr std::array<SkinBitmapRow, 31> SKIN_BITMAPS = {{
    {IDB_CORNER_BOTTOM_LEFT, SHAPE_IMAGE},    {IDB_CORNER_BOTTOM_RIGHT, SHAPE_IMAGE},
    {IDB_BAR_CLOSE, BUTTON_IMAGE},            {IDB_BAR_CLOSE_HOVER, BUTTON_IMAGE},
    {IDB_BAR_CLOSE_PRESSED, BUTTON_IMAGE},    {IDB_BAR_INACTIVE, BUTTON_IMAGE},
    {IDB_BAR_LEFT, SHAPE_IMAGE},              {IDB_BAR_ZOOM, BUTTON_IMAGE},
    {IDB_BAR_ZOOM_HOVER, BUTTON_IMAGE},       {IDB_BAR_ZOOM_PRESSED, BUTTON_IMAGE},
    {IDB_BAR_MIDDLE, OPAQUE_IMAGE},           {IDB_BAR_MINIMIZE, BUTTON_IMAGE},
    {IDB_BAR_MINIMIZE_HOVER, BUTTON_IMAGE},   {IDB_BAR_MINIMIZE_PRESSED, BUTTON_IMAGE},
    {IDB_MINI_BACKGROUND, OPAQUE_IMAGE},      {IDB_MINI_CLOSE, BUTTON_IMAGE},
    {IDB_MINI_CLOSE_HOVER, BUTTON_IMAGE},     {IDB_MINI_CLOSE_PRESSED, BUTTON_IMAGE},
    {IDB_MINI_INACTIVE, BUTTON_IMAGE},        {IDB_MINI_ZOOM, BUTTON_IMAGE},
    {IDB_MINI_ZOOM_HOVER, BUTTON_IMAGE},      {IDB_MINI_ZOOM_PRESSED, BUTTON_IMAGE},
    {IDB_MINI_MINIMIZE, BUTTON_IMAGE},        {IDB_MINI_MINIMIZE_HOVER, BUTTON_IMAGE},
    {IDB_MINI_MINIMIZE_PRESSED, BUTTON_IMAGE}, {IDB_BAR_RIGHT, SHAPE_IMAGE},
    {IDB_TITLE_ACTIVE, OPAQUE_IMAGE},         {IDB_TITLE_INACTIVE, OPAQUE_IMAGE},
    {IDB_EQ_TITLE_INACTIVE, OPAQUE_IMAGE},    {IDB_EQ_TITLE_ACTIVE, OPAQUE_IMAGE},
    {IDB_EQ_MIDDLE, OPAQUE_IMAGE},
}};

SkinImage skinImages[BITMAP_SLOTS];
COLORREF imageKeys[BITMAP_SLOTS];
HRGN cornerRegions[4];
bool loaded;

// The bitmap converted once to the images' own form; the loaded one goes.
SkinImage LoadImageOf(int id)
{
    SkinImage image = {};
    HBITMAP bitmap = LoadBitmapA(moduleInstance, MAKEINTRESOURCEA(id));
    BITMAP size = {};
    if (bitmap && GetObjectA(bitmap, sizeof size, &size) && MakeSkinImage(image, size.bmWidth, size.bmHeight)) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32};
        HDC screen = GetDC(nullptr);
        if (GetDIBits(screen, bitmap, 0, UINT(image.height), image.pixels, &info, DIB_RGB_COLORS) != image.height)
            FreeSkinImage(image);
        ReleaseDC(nullptr, screen);
        for (int i = 0; i < image.width * image.height; ++i)
            image.pixels[i] &= 0xFFFFFF;
    }
    if (bitmap)
        DeleteObject(bitmap);
    return image;
}

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

bool MakeSkinImage(SkinImage &image, int width, int height)
{
    image = {};
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32};
    void *bits = nullptr;
    image.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!image.bitmap)
        return false;
    image.pixels = static_cast<uint32_t *>(bits);
    image.width = width;
    image.height = height;
    return true;
}

void FreeSkinImage(SkinImage &image)
{
    if (image.bitmap)
        DeleteObject(image.bitmap);
    image = {};
}

// Each is converted when a bar or shape first needs it: "init" makes only
// the four that the corner regions are read from.
const SkinImage &BaseImage(int id)
{
    SkinImage &image = skinImages[id - FIRST_BITMAP_ID];
    if (loaded && !image.pixels)
        image = LoadImageOf(id);
    return image;
}

COLORREF ImageKey(int id)
{
    return imageKeys[id - FIRST_BITMAP_ID];
}

// The pixels of each row that differ from the key, as runs, made into one
// region at once: no region per pixel.
HRGN RegionFromImage(const SkinImage &image, COLORREF key)
{
    uint32_t keyPixel = PixelOf(key);
    DWORD runs = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            runs += image.At(x, y) != keyPixel && (x == 0 || image.At(x - 1, y) == keyPixel);
    DWORD size = sizeof(RGNDATAHEADER) + runs * sizeof(RECT);
    RGNDATA *data = runs ? static_cast<RGNDATA *>(HeapAlloc(GetProcessHeap(), 0, size)) : nullptr;
    if (!data)
        return CreateRectRgn(0, 0, 0, 0);
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 0, runs * DWORD(sizeof(RECT)), {0, 0, image.width, image.height}};
    RECT *rects = reinterpret_cast<RECT *>(data->Buffer);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width;) {
            if (image.At(x, y) == keyPixel) {
                ++x;
                continue;
            }
            int start = x;
            while (x < image.width && image.At(x, y) != keyPixel)
                ++x;
            rects[data->rdh.nCount++] = {start, y, x, y + 1};
        }
    }
    HRGN region = ExtCreateRegion(nullptr, size, data);
    HeapFree(GetProcessHeap(), 0, data);
    return region;
}

HRGN BaseCornerRegion(Corner corner)
{
    return cornerRegions[corner];
}

void LoadSkinResources()
{
    if (loaded)
        return;
    loaded = true;
    for (const SkinBitmapRow &row : SKIN_BITMAPS)
        imageKeys[row.id - FIRST_BITMAP_ID] = row.kind == BUTTON_IMAGE  ? TRANSPARENT_COLOUR
                                              : row.kind == SHAPE_IMAGE ? SHAPE_KEY
                                                                        : CLR_INVALID;
    for (const ButtonRect &button : BUTTON_RECTS)
        *button.rect = button.value;

    // The window shapes are built from copies of these; the pixels are read
    // only here and once for each other scale.
    for (int corner = TOP_LEFT; corner <= BOTTOM_RIGHT; ++corner)
        cornerRegions[corner] = RegionFromImage(BaseImage(CORNER_BITMAPS[corner]), SHAPE_KEY);
}

// Everything the skin made: a reload in the same process makes it again.
void FreeSkinResources()
{
    FreeComposedBars();
    FreeScaledSkins();
    for (HRGN &region : cornerRegions) {
        if (region)
            DeleteObject(region);
        region = nullptr;
    }
    for (SkinImage &image : skinImages)
        FreeSkinImage(image);
    loaded = false;
}
