#include "pictures.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdlib>

namespace host {

namespace {

// COM for the call's length, in whatever mode the thread already has.
struct ComForTheCall {
    HRESULT status = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ~ComForTheCall()
    {
        if (SUCCEEDED(status))
            CoUninitialize();
    }
};

IWICImagingFactory *Factory()
{
    IWICImagingFactory *factory = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void **>(&factory));
    return factory;
}

const GUID &ContainerGuid(PictureContainer container)
{
    switch (container) {
    case PICTURE_PNG:
        return GUID_ContainerFormatPng;
    case PICTURE_BMP:
        return GUID_ContainerFormatBmp;
    default:
        return GUID_ContainerFormatJpeg;
    }
}

} // namespace

Picture Blocks(UINT width, UINT height)
{
    Picture picture{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x) {
            uint8_t *p = &picture.bgra[(size_t(y) * width + x) * 4];
            p[0] = uint8_t(x / 16 * 60), p[1] = uint8_t(y / 16 * 90), p[2] = uint8_t(200 - x / 16 * 50), p[3] = 255;
        }
    return picture;
}

std::vector<uint8_t> EncodePicture(const Picture &picture, PictureContainer container)
{
    ComForTheCall com;
    std::vector<uint8_t> out;
    IWICImagingFactory *factory = Factory();
    IStream *memory = nullptr;
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    if (!factory || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &memory)) ||
        FAILED(factory->CreateEncoder(ContainerGuid(container), nullptr, &encoder)) ||
        FAILED(encoder->Initialize(memory, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr))) {
        if (encoder)
            encoder->Release();
        if (memory)
            memory->Release();
        if (factory)
            factory->Release();
        return out;
    }
    frame->SetSize(picture.width, picture.height);
    // JPEG and BMP take no alpha.
    bool alpha = container == PICTURE_PNG;
    WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&format);
    std::vector<uint8_t> rows;
    UINT bytesPerPixel = alpha ? 4 : 3;
    rows.reserve(size_t(picture.width) * picture.height * bytesPerPixel);
    for (size_t i = 0; i < picture.bgra.size(); i += 4)
        rows.insert(rows.end(), &picture.bgra[i], &picture.bgra[i] + bytesPerPixel);
    frame->WritePixels(picture.height, picture.width * bytesPerPixel, UINT(rows.size()), rows.data());
    frame->Commit();
    encoder->Commit();
    HGLOBAL global;
    STATSTG stat;
    if (SUCCEEDED(GetHGlobalFromStream(memory, &global)) && SUCCEEDED(memory->Stat(&stat, STATFLAG_NONAME))) {
        auto *bytes = static_cast<const uint8_t *>(GlobalLock(global));
        out.assign(bytes, bytes + stat.cbSize.QuadPart);
        GlobalUnlock(global);
    }
    frame->Release(), encoder->Release(), memory->Release(), factory->Release();
    return out;
}

Picture DecodePicture(const void *bytes, size_t size)
{
    ComForTheCall com;
    Picture picture;
    IWICImagingFactory *factory = Factory();
    IWICStream *stream = nullptr;
    IWICBitmapDecoder *decoder = nullptr;
    IWICBitmapFrameDecode *frame = nullptr;
    IWICFormatConverter *converter = nullptr;
    if (factory && size && SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE *>(const_cast<void *>(bytes)), DWORD(size))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom))) {
        frame->GetSize(&picture.width, &picture.height);
        picture.bgra.resize(size_t(picture.width) * picture.height * 4);
        if (FAILED(converter->CopyPixels(nullptr, picture.width * 4, UINT(picture.bgra.size()), picture.bgra.data())))
            picture = {};
    }
    for (IUnknown *object : std::initializer_list<IUnknown *>{converter, frame, decoder, stream, factory})
        if (object)
            object->Release();
    return picture;
}

int LargestDifference(const Picture &a, const Picture &b)
{
    int largest = 0;
    for (size_t i = 0; i < a.bgra.size() && i < b.bgra.size(); ++i)
        largest = std::max(largest, std::abs(int(a.bgra[i]) - int(b.bgra[i])));
    return largest;
}

} // namespace host
