// The cover art as the player hands it over: JPEG, PNG or BMP bytes, kept
// decoded for the outputs that show it and given back as PNG. The module's
// art code runs here in the test's own process, through the real imaging
// component; how the art reaches it is checked through the player's calls.
#include <initguid.h>
#include <wincodec.h>

#include "harness.h"
#include "nowplaying/coverart.h"

using namespace testing_support;

namespace {

struct Picture {
    UINT width = 0, height = 0;
    std::vector<uint8_t> bgra;
};

// Blocks of 16 pixels in solid colours, which even JPEG keeps nearly exact.
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

IWICImagingFactory *Factory()
{
    IWICImagingFactory *factory = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void **>(&factory));
    return factory;
}

// The picture in a container, as the player would hand it over.
std::vector<uint8_t> Encode(const Picture &picture, const GUID &container)
{
    IWICImagingFactory *factory = Factory();
    IStream *memory = nullptr;
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &memory);
    factory->CreateEncoder(container, nullptr, &encoder);
    encoder->Initialize(memory, WICBitmapEncoderNoCache);
    encoder->CreateNewFrame(&frame, nullptr);
    frame->Initialize(nullptr);
    frame->SetSize(picture.width, picture.height);
    WICPixelFormatGUID format = container == GUID_ContainerFormatPng ? GUID_WICPixelFormat32bppBGRA
                                                                      : GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&format);
    std::vector<uint8_t> rows;
    UINT bytesPerPixel = format == GUID_WICPixelFormat32bppBGRA ? 4 : 3;
    for (size_t i = 0; i < picture.bgra.size(); i += 4)
        rows.insert(rows.end(), &picture.bgra[i], &picture.bgra[i] + bytesPerPixel);
    frame->WritePixels(picture.height, picture.width * bytesPerPixel, UINT(rows.size()), rows.data());
    frame->Commit();
    encoder->Commit();
    HGLOBAL global;
    GetHGlobalFromStream(memory, &global);
    STATSTG stat;
    memory->Stat(&stat, STATFLAG_NONAME);
    auto *bytes = static_cast<const uint8_t *>(GlobalLock(global));
    std::vector<uint8_t> out(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    frame->Release(), encoder->Release(), memory->Release(), factory->Release();
    return out;
}

Picture Decode(const uint8_t *bytes, size_t size)
{
    Picture picture;
    IWICImagingFactory *factory = Factory();
    IWICStream *stream = nullptr;
    IWICBitmapDecoder *decoder = nullptr;
    IWICBitmapFrameDecode *frame = nullptr;
    IWICFormatConverter *converter = nullptr;
    factory->CreateStream(&stream);
    stream->InitializeFromMemory(const_cast<uint8_t *>(bytes), DWORD(size));
    if (SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder))) {
        decoder->GetFrame(0, &frame);
        frame->GetSize(&picture.width, &picture.height);
        factory->CreateFormatConverter(&converter);
        converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                              WICBitmapPaletteTypeCustom);
        picture.bgra.resize(size_t(picture.width) * picture.height * 4);
        converter->CopyPixels(nullptr, picture.width * 4, UINT(picture.bgra.size()), picture.bgra.data());
        converter->Release(), frame->Release(), decoder->Release();
    }
    stream->Release(), factory->Release();
    return picture;
}

// What the kept art gives back as PNG, decoded again.
Picture KeptAsPng(unsigned maxSide)
{
    uint8_t *png = nullptr;
    size_t size = 0;
    if (!EncodeCoverArtPng(maxSide, &png, &size))
        return {};
    Picture picture = Decode(png, size);
    HeapFree(GetProcessHeap(), 0, png);
    return picture;
}

void Keep(const std::vector<uint8_t> &bytes)
{
    auto *copy = static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), 0, bytes.size()));
    memcpy(copy, bytes.data(), bytes.size());
    KeepCoverArt(copy, uint32_t(bytes.size()));
}

int LargestDifference(const Picture &a, const Picture &b)
{
    int largest = 0;
    for (size_t i = 0; i < a.bgra.size() && i < b.bgra.size(); ++i)
        largest = std::max(largest, std::abs(int(a.bgra[i]) - int(b.bgra[i])));
    return largest;
}

class CoverArt : public ::testing::Test {
protected:
    CoverArt() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    ~CoverArt() override
    {
        ReleaseCoverArt();
        CoUninitialize();
    }
};

TEST_F(CoverArt, EachFormatKeepsThePicturesPixels)
{
    const Picture original = Blocks(64, 48);
    struct Case {
        const char *name;
        GUID container;
        int tolerance; // JPEG is lossy even on solid blocks
    };
    const Case cases[] = {{"PNG", GUID_ContainerFormatPng, 0},
                          {"BMP", GUID_ContainerFormatBmp, 0},
                          {"JPEG", GUID_ContainerFormatJpeg, 12}};
    for (const Case &c : cases) {
        uint32_t before = CoverArtSerial();
        Keep(Encode(original, c.container));
        EXPECT_TRUE(HasCoverArt()) << c.name;
        EXPECT_NE(CoverArtSerial(), before) << c.name;
        Picture kept = KeptAsPng(1024);
        ASSERT_EQ(kept.width, 64u) << c.name;
        ASSERT_EQ(kept.height, 48u) << c.name;
        EXPECT_LE(LargestDifference(kept, original), c.tolerance) << c.name;
    }
}

// A large cover comes out at most 1,024 pixels on its longer side, never
// enlarged; none, and art that is no picture, give the transparent one.
TEST_F(CoverArt, LargeArtIsScaledDownAndNoArtIsTransparent)
{
    Keep(Encode(Blocks(3000, 3000), GUID_ContainerFormatJpeg));
    Picture large = KeptAsPng(1024);
    EXPECT_EQ(large.width, 1024u);
    EXPECT_EQ(large.height, 1024u);
    Picture smaller = KeptAsPng(300);
    EXPECT_EQ(smaller.width, 300u);

    for (const std::vector<uint8_t> &none : {std::vector<uint8_t>(), std::vector<uint8_t>{'n', 'o', 'p', 'e'}}) {
        Keep(Encode(Blocks(32, 32), GUID_ContainerFormatPng));
        if (none.empty())
            KeepCoverArt(nullptr, 0);
        else
            Keep(none);
        EXPECT_FALSE(HasCoverArt());
        Picture blank = KeptAsPng(1024);
        ASSERT_EQ(blank.width, 1u);
        ASSERT_EQ(blank.height, 1u);
        EXPECT_EQ(blank.bgra[3], 0) << "transparent";
    }
    Keep(Encode(Blocks(32, 32), GUID_ContainerFormatPng));
    ClearCoverArt();
    EXPECT_FALSE(HasCoverArt());
}

// The newer interface's player is asked for the art on each start and each
// change of the track's information, and hands it over later; the older
// one has no such call.
class CoverArtRequests : public HostTest {};

TEST_F(CoverArtRequests, AskedForOnEachStartAndChange)
{
    StartPlugin();
    host::Play(host::Track{"Song", "Artist"});
    host::TrackInfoChanged(host::Track{"Song", "Artist", "Edited"});
    host::Play(host::Track{"Next", "Artist"});
    EXPECT_EQ(host::ArtRequests(), host::SpeaksInterface2() ? 3 : 0);
    host::PumpMessages();
}

} // namespace
