// The skin at display scales other than 96 DPI: each bitmap and corner
// region is scaled once per scale, when a bar or shape first needs it, and
// kept until "clr ".
//
// The filter averages the source pixels each new pixel covers, weighted by
// how much of it they cover. At a whole factor every new pixel lies inside
// one source pixel, so this is nearest neighbour there and smooth at 125 %
// or 150 %. A bitmap's key colour (the buttons' magenta, the shapes' black)
// takes no part in the averages: a new pixel is the key where the key
// covers more than half of it, else the average of the other colours, so no
// magenta or black fringe creeps into an edge, and a scaled shape is cut
// where its scaled picture is black.
#include "skin/bars.h"

namespace {

// Windows on monitors of different scales each have theirs.
constexpr int MAX_SCALES = 4;

struct ScaledSkin {
    int dpi;
    unsigned lastUse;
    SkinImage images[BITMAP_SLOTS];
    HRGN corners[4];
};

ScaledSkin scaledSkins[MAX_SCALES];
unsigned uses;

void FreeScaledSkin(ScaledSkin &skin)
{
    for (SkinImage &image : skin.images)
        FreeSkinImage(image);
    for (HRGN region : skin.corners)
        if (region)
            DeleteObject(region);
    skin = {};
}

// The scale's slot; a new scale takes the one used longest ago.
ScaledSkin &SkinAt(int dpi)
{
    ScaledSkin *oldest = &scaledSkins[0];
    for (ScaledSkin &skin : scaledSkins) {
        if (skin.dpi == dpi) {
            skin.lastUse = ++uses;
            return skin;
        }
        if (skin.lastUse < oldest->lastUse)
            oldest = &skin;
    }
    FreeScaledSkin(*oldest);
    oldest->dpi = dpi;
    oldest->lastUse = ++uses;
    return *oldest;
}

// How much of [a, b) lies in [c, d).
int64_t Overlap(int64_t a, int64_t b, int64_t c, int64_t d)
{
    int64_t low = a > c ? a : c, high = b < d ? b : d;
    return high > low ? high - low : 0;
}

// New pixel (x, y) of a picture `width` by `height`: in units of which a
// source pixel is `width` (or `height`) long and a new one the source's
// width (height), the new pixel covers [x * from.width, (x + 1) * from.width).
uint32_t Resample(const SkinImage &from, int x, int y, int width, int height, uint32_t key, bool keyed)
{
    uint64_t total = 0, covered = 0, red = 0, green = 0, blue = 0;
    int64_t top = int64_t(y) * from.height, bottom = top + from.height;
    int64_t left = int64_t(x) * from.width, right = left + from.width;
    for (int sy = int(top / height); sy < from.height && int64_t(sy) * height < bottom; ++sy) {
        int64_t wy = Overlap(top, bottom, int64_t(sy) * height, int64_t(sy + 1) * height);
        for (int sx = int(left / width); sx < from.width && int64_t(sx) * width < right; ++sx) {
            uint64_t weight = uint64_t(wy * Overlap(left, right, int64_t(sx) * width, int64_t(sx + 1) * width));
            uint32_t pixel = from.At(sx, sy);
            total += weight;
            if (keyed && pixel == key)
                continue;
            covered += weight;
            red += weight * (pixel >> 16 & 0xFF);
            green += weight * (pixel >> 8 & 0xFF);
            blue += weight * (pixel & 0xFF);
        }
    }
    if (covered == 0 || covered * 2 < total)
        return key;
    uint32_t pixel = uint32_t((red + covered / 2) / covered) << 16 | uint32_t((green + covered / 2) / covered) << 8 |
                     uint32_t((blue + covered / 2) / covered);
    // An average of other colours that lands on the key must not vanish.
    return keyed && pixel == key ? pixel ^ 1 : pixel;
}

SkinImage ScaleImage(const SkinImage &from, int dpi, COLORREF key)
{
    SkinImage scaled = {};
    int width = ScaleLength(from.width, dpi), height = ScaleLength(from.height, dpi);
    if (!from.pixels || !MakeSkinImage(scaled, width > 0 ? width : 1, height > 0 ? height : 1))
        return scaled;
    bool keyed = key != CLR_INVALID;
    uint32_t keyPixel = keyed ? PixelOf(key) : 0;
    for (int y = 0; y < scaled.height; ++y)
        for (int x = 0; x < scaled.width; ++x)
            scaled.pixels[y * scaled.width + x] = Resample(from, x, y, scaled.width, scaled.height, keyPixel, keyed);
    return scaled;
}

} // namespace

const SkinImage &ScaledImage(int id, int dpi)
{
    if (dpi == BASE_DPI || !BaseImage(id).pixels)
        return BaseImage(id);
    SkinImage &image = SkinAt(dpi).images[id - FIRST_BITMAP_ID];
    if (!image.pixels)
        image = ScaleImage(BaseImage(id), dpi, ImageKey(id));
    return image;
}

HRGN CornerRegion(Corner corner, int dpi)
{
    if (dpi == BASE_DPI)
        return BaseCornerRegion(corner);
    HRGN &region = SkinAt(dpi).corners[corner];
    if (!region)
        region = RegionFromImage(ScaledImage(CORNER_BITMAPS[corner], dpi), SHAPE_KEY);
    return region;
}

void FreeScaledSkins()
{
    for (ScaledSkin &skin : scaledSkins)
        FreeScaledSkin(skin);
    uses = 0;
}
