// The cover art through the imaging component (WIC): decoded to 32-bit BGRA
// pixels once, on the track worker, and encoded to PNG for each output that
// asks. The worker is in the multithreaded apartment; the factory is made
// for each use, since the worker, and with it the apartment, may end
// between two tracks.
#include "nowplaying/coverart.h"

#include <wincodec.h>

#include <cstring>

namespace {

// The imaging component's identifiers, from its documentation.
const GUID CLSID_IMAGING_FACTORY = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const GUID PIXEL_FORMAT_BGRA = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};
const GUID CONTAINER_PNG = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};

// No output shows more; a larger picture is kept at this size.
constexpr UINT LONGEST_KEPT_SIDE = 1024;
// Beyond this a picture is no cover, and decoding it would only cost.
constexpr UINT64 LARGEST_DECODED_PIXELS = 64ull * 1024 * 1024;

struct Art {
    UINT width, height;
    uint8_t *pixels; // width * 4 bytes a row, on the process's heap
};
Art kept;
uint32_t serial;

// Releases a COM pointer when it goes out of scope.
template <typename T> struct Held {
    T *p = nullptr;
    ~Held()
    {
        if (p)
            p->Release();
    }
    T **operator&() { return &p; }
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// The size whose longer side is at most `most`, in the same proportion.
void FitWithin(UINT &width, UINT &height, UINT most)
{
    if (width <= most && height <= most)
        return;
    if (width >= height) {
        height = UINT((UINT64(height) * most + width / 2) / width);
        width = most;
    } else {
        width = UINT((UINT64(width) * most + height / 2) / height);
        height = most;
    }
    if (!width)
        width = 1;
    if (!height)
        height = 1;
}

// The source scaled down smoothly to fit `most`; the source itself when it fits.
bool FitSource(IWICImagingFactory *factory, IWICBitmapSource *source, UINT most, Held<IWICBitmapScaler> &scaler,
               IWICBitmapSource *&fitted, UINT &width, UINT &height)
{
    if (FAILED(source->GetSize(&width, &height)) || !width || !height)
        return false;
    UINT fitWidth = width, fitHeight = height;
    FitWithin(fitWidth, fitHeight, most);
    fitted = source;
    if (fitWidth == width && fitHeight == height)
        return true;
    if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(source, fitWidth, fitHeight, WICBitmapInterpolationModeFant)))
        return false;
    fitted = scaler.p;
    width = fitWidth;
    height = fitHeight;
    return true;
}

bool Decode(IWICImagingFactory *factory, uint8_t *bytes, uint32_t size, Art &art)
{
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(factory->CreateStream(&stream)) || FAILED(stream->InitializeFromMemory(bytes, size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        UINT64(width) * height > LARGEST_DECODED_PIXELS || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, PIXEL_FORMAT_BGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    Held<IWICBitmapScaler> scaler;
    IWICBitmapSource *fitted = nullptr;
    if (!FitSource(factory, converter.p, LONGEST_KEPT_SIDE, scaler, fitted, width, height))
        return false;
    UINT stride = width * 4, total = stride * height;
    auto *pixels = static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), 0, total));
    if (!pixels)
        return false;
    if (FAILED(fitted->CopyPixels(nullptr, stride, total, pixels))) {
        HeapFree(GetProcessHeap(), 0, pixels);
        return false;
    }
    art = {width, height, pixels};
    return true;
}

bool MakeFactory(Held<IWICImagingFactory> &factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_IMAGING_FACTORY, nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(IWICImagingFactory), reinterpret_cast<void **>(&factory)));
}

// The stream's bytes, copied onto the process's heap.
bool TakeStreamBytes(IStream *memory, uint8_t **bytes, size_t *size)
{
    STATSTG stat = {};
    HGLOBAL global = nullptr;
    if (FAILED(memory->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(memory, &global)) ||
        stat.cbSize.QuadPart > 0x7FFFFFFF)
        return false;
    size_t length = size_t(stat.cbSize.QuadPart);
    const void *locked = GlobalLock(global);
    auto *copy = locked ? static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), 0, length ? length : 1)) : nullptr;
    if (copy)
        memcpy(copy, locked, length);
    if (locked)
        GlobalUnlock(global);
    if (!copy)
        return false;
    *bytes = copy;
    *size = length;
    return true;
}

bool EncodePng(IWICImagingFactory *factory, unsigned maxSide, uint8_t **bytes, size_t *size)
{
    Held<IWICBitmap> bitmap;
    if (FAILED(factory->CreateBitmapFromMemory(kept.width, kept.height, PIXEL_FORMAT_BGRA, kept.width * 4,
                                               kept.width * 4 * kept.height, kept.pixels, &bitmap)))
        return false;
    Held<IWICBitmapScaler> scaler;
    IWICBitmapSource *fitted = nullptr;
    UINT width = 0, height = 0;
    if (!FitSource(factory, bitmap.p, maxSide ? maxSide : 1, scaler, fitted, width, height))
        return false;
    Held<IStream> memory;
    Held<IWICBitmapEncoder> encoder;
    Held<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = PIXEL_FORMAT_BGRA;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &memory)) ||
        FAILED(factory->CreateEncoder(CONTAINER_PNG, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(memory.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)) ||
        FAILED(frame->WriteSource(fitted, nullptr)) || FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    return TakeStreamBytes(memory.p, bytes, size);
}

} // namespace

void ReleaseCoverArt()
{
    if (kept.pixels) {
        HeapFree(GetProcessHeap(), 0, kept.pixels);
        ++serial;
    }
    kept = {};
}

void ClearCoverArt() { ReleaseCoverArt(); }

void KeepCoverArt(uint8_t *bytes, uint32_t size)
{
    Art decoded = {};
    Held<IWICImagingFactory> factory;
    bool ok = bytes && size && MakeFactory(factory) && Decode(factory.p, bytes, size, decoded);
    if (bytes)
        HeapFree(GetProcessHeap(), 0, bytes);
    ReleaseCoverArt();
    if (ok) {
        kept = decoded;
        ++serial;
    }
}

uint32_t CoverArtSerial() { return serial; }

bool HasCoverArt() { return kept.pixels != nullptr; }

bool EncodeCoverArtPng(unsigned maxSide, uint8_t **bytes, size_t *size)
{
    if (kept.pixels) {
        Held<IWICImagingFactory> factory;
        return MakeFactory(factory) && EncodePng(factory.p, maxSide, bytes, size);
    }
    auto *copy = static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), 0, sizeof TRANSPARENT_PNG));
    if (!copy)
        return false;
    memcpy(copy, TRANSPARENT_PNG, sizeof TRANSPARENT_PNG);
    *bytes = copy;
    *size = sizeof TRANSPARENT_PNG;
    return true;
}
