// Each bar composed into a picture of its own once for each width, look
// (parent in front or not), button states and display scale, so that a
// paint is one BitBlt. The drawing is the one the bars always did, step by
// step: the ends, the middle stretched with HALFTONE, the title, then the
// buttons over them, their magenta left out; only where it lands has
// changed. A change of look or width redraws the background; a change of a
// button's state redraws that button alone, over the background kept
// beside the bar.
//
// The pictures and images are DIB sections, and everything but the stretch
// is a copy of their pixels: under Wine each selection of a bitmap into a
// DC cost about 40 us and a TransparentBlt of a 16-pixel ball about 280, so
// that drawing them through GDI took longer than the resize that needs it.
#include "skin/bars.h"

namespace {

// A picture in a DC of its own, wider than asked so that the width of an
// interactive resize does not make a new one at every step.
struct Picture {
    SkinImage image;
    HDC dc;
    HGDIOBJ original;
};

constexpr int WIDTH_STEP = 256;
constexpr int TITLE_TOP = 8;
// The middle starts under the left end's last two columns and ends where
// the right end begins.
constexpr int MIDDLE_LEFT = 9, MIDDLE_SHORTER = 20;
constexpr int NOT_DRAWN = -1;

struct BarPicture {
    Picture composed;   // the bar as painted
    Picture background; // what lies under the buttons
    int width, dpi;
    int title;          // the background's title image: 0 none, NOT_DRAWN
    int buttons[3];     // the button images drawn on it; 0 none
};

BarPicture barPictures[3];
// The middle is selected into this one to be stretched.
HDC stretchDc;
HGDIOBJ stretchDcOriginal;

void FreePicture(Picture &picture)
{
    if (picture.dc) {
        SelectObject(picture.dc, picture.original);
        DeleteDC(picture.dc);
    }
    FreeSkinImage(picture.image);
    picture = {};
}

bool MakePicture(Picture &picture, int width, int height)
{
    FreePicture(picture);
    picture.dc = CreateCompatibleDC(nullptr);
    if (!picture.dc || !MakeSkinImage(picture.image, width, height)) {
        FreePicture(picture);
        return false;
    }
    picture.original = SelectObject(picture.dc, picture.image.bitmap);
    return true;
}

// BitBlt or, `keyed`, TransparentBlt of the whole image at (x, y), as
// pixel copies cut to the picture.
void CopyImage(const SkinImage &to, int x, int y, const SkinImage &image, bool keyed)
{
    uint32_t key = PixelOf(TRANSPARENT_COLOUR);
    for (int row = y < 0 ? -y : 0; row < image.height && y + row < to.height; ++row) {
        const uint32_t *from = image.pixels + row * image.width;
        uint32_t *into = to.pixels + (y + row) * to.width;
        for (int column = x < 0 ? -x : 0; column < image.width && x + column < to.width; ++column)
            if (!keyed || from[column] != key)
                into[x + column] = from[column];
    }
}

// A part of one picture into the same place of another.
void CopyArea(const SkinImage &to, const SkinImage &from, int x, int y, int width, int height)
{
    for (int row = y < 0 ? 0 : y; row < y + height && row < to.height; ++row)
        for (int column = x < 0 ? 0 : x; column < x + width && column < to.width; ++column)
            to.pixels[row * to.width + column] = from.pixels[row * from.width + column];
}

void DrawMiddle(const Picture &target, const Bar &bar, int width, int dpi)
{
    const SkinImage &image = ScaledImage(bar.middle, dpi);
    if (!image.bitmap)
        return;
    if (!stretchDc) {
        stretchDc = CreateCompatibleDC(nullptr);
        stretchDcOriginal = stretchDc ? GetCurrentObject(stretchDc, OBJ_BITMAP) : nullptr;
    }
    SelectObject(stretchDc, image.bitmap);
    SetStretchBltMode(target.dc, HALFTONE);
    StretchBlt(target.dc, ScaleLength(MIDDLE_LEFT, dpi), 0, width - ScaleLength(MIDDLE_SHORTER, dpi),
               image.height - ScaleLength(bar.middleHeightCut, dpi), stretchDc, 0, 0, image.width, image.height,
               SRCCOPY);
    SelectObject(stretchDc, stretchDcOriginal);
    // The pixels are read and written directly from here on.
    GdiFlush();
}

void DrawBackground(const Bar &bar, const Picture &target, int width, int dpi, int title)
{
    if (bar.background) {
        CopyImage(target.image, 0, 0, ScaledImage(bar.background, dpi), false);
        return;
    }
    CopyImage(target.image, 0, 0, ScaledImage(bar.leftEnd, dpi), false);
    DrawMiddle(target, bar, width, dpi);
    const SkinImage &right = ScaledImage(bar.rightEnd, dpi);
    CopyImage(target.image, width - right.width, 0, right, false);
    // The title is opaque: its own background carries the bar's rows.
    const SkinImage &words = ScaledImage(title, dpi);
    CopyImage(target.image, width / 2 - words.width / 2, ScaleLength(TITLE_TOP, dpi), words, false);
}

bool FitPictures(BarPicture &picture, int width, int height)
{
    if (picture.composed.dc && width <= picture.composed.image.width && height == picture.composed.image.height)
        return true;
    int capacity = (width + WIDTH_STEP - 1) / WIDTH_STEP * WIDTH_STEP;
    picture.title = NOT_DRAWN;
    return MakePicture(picture.composed, capacity, height) && MakePicture(picture.background, capacity, height);
}

// The parent's width, or the strip's own.
int PictureWidth(const Bar &bar, int dpi)
{
    if (bar.background)
        return ScaleLength(bar.width, dpi);
    RECT parent = {};
    GetWindowRect(*bar.parent, &parent);
    return parent.right - parent.left;
}

} // namespace

BarLook ComposeBar(const Bar &bar)
{
    BarPicture &picture = barPictures[&bar - BARS.data()];
    int dpi = BarDpi(bar);
    int width = PictureWidth(bar, dpi), height = ScaleLength(bar.height, dpi);
    if (width <= 0 || !FitPictures(picture, width, height))
        return {nullptr, 0, 0};
    bool parentInFront = GetForegroundWindow() == *bar.parent;
    if (width != picture.width || dpi != picture.dpi)
        picture.title = NOT_DRAWN;
    int title = bar.background ? 0 : parentInFront ? bar.titleActive : bar.titleInactive;
    if (title != picture.title) {
        DrawBackground(bar, picture.background, width, dpi, title);
        CopyArea(picture.composed.image, picture.background.image, 0, 0, width, height);
        picture.width = width;
        picture.dpi = dpi;
        picture.title = title;
        for (int &button : picture.buttons)
            button = 0;
    }
    // The look follows the states only while the parent is in front.
    for (int i = 0; i < 3; ++i) {
        const BarButton &button = bar.buttons[i];
        int image = parentInFront ? button.images[bar.states[i] - 1] : bar.inactiveButton;
        if (image == picture.buttons[i])
            continue;
        RECT rect = ScaleRect(*button.rect, dpi);
        if (picture.buttons[i]) {
            const SkinImage &old = ScaledImage(picture.buttons[i], dpi);
            CopyArea(picture.composed.image, picture.background.image, rect.left, rect.top, old.width, old.height);
        }
        CopyImage(picture.composed.image, rect.left, rect.top, ScaledImage(image, dpi), true);
        picture.buttons[i] = image;
    }
    return {picture.composed.dc, width, height};
}

void FreeComposedBars()
{
    for (BarPicture &picture : barPictures) {
        FreePicture(picture.composed);
        FreePicture(picture.background);
        picture = {};
    }
    if (stretchDc) {
        SelectObject(stretchDc, stretchDcOriginal);
        DeleteDC(stretchDc);
    }
    stretchDc = nullptr;
    stretchDcOriginal = nullptr;
}
