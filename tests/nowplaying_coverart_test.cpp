// The cover art as the player hands it over: JPEG, PNG or BMP bytes, kept
// decoded for the outputs that show it and given back as PNG. The module's
// art code runs here in the test's own process, through the real imaging
// component; how the art reaches it is checked through the player's calls.
#include <objbase.h>

#include "harness.h"
#include "nowplaying/coverart.h"
#include "pictures.h"

using namespace testing_support;
using host::Blocks;
using host::Picture;

namespace {

// What the kept art gives back as PNG, decoded again.
Picture KeptAsPng(unsigned maxSide)
{
    uint8_t *png = nullptr;
    size_t size = 0;
    if (!EncodeCoverArtPng(maxSide, &png, &size))
        return {};
    Picture picture = host::DecodePicture(png, size);
    HeapFree(GetProcessHeap(), 0, png);
    return picture;
}

void Keep(const std::vector<uint8_t> &bytes)
{
    auto *copy = static_cast<uint8_t *>(HeapAlloc(GetProcessHeap(), 0, bytes.size()));
    memcpy(copy, bytes.data(), bytes.size());
    KeepCoverArt(copy, uint32_t(bytes.size()));
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
        host::PictureContainer container;
        int tolerance; // JPEG is lossy even on solid blocks
    };
    const Case cases[] = {{"PNG", host::PICTURE_PNG, 0}, {"BMP", host::PICTURE_BMP, 0}, {"JPEG", host::PICTURE_JPEG, 12}};
    for (const Case &c : cases) {
        uint32_t before = CoverArtSerial();
        Keep(host::EncodePicture(original, c.container));
        EXPECT_TRUE(HasCoverArt()) << c.name;
        EXPECT_NE(CoverArtSerial(), before) << c.name;
        Picture kept = KeptAsPng(1024);
        ASSERT_EQ(kept.width, 64u) << c.name;
        ASSERT_EQ(kept.height, 48u) << c.name;
        EXPECT_LE(host::LargestDifference(kept, original), c.tolerance) << c.name;
    }
}

// A large cover comes out at most 1,024 pixels on its longer side, never
// enlarged; none, and art that is no picture, give the transparent one.
TEST_F(CoverArt, LargeArtIsScaledDownAndNoArtIsTransparent)
{
    Keep(host::EncodePicture(Blocks(3000, 3000), host::PICTURE_JPEG));
    Picture large = KeptAsPng(1024);
    EXPECT_EQ(large.width, 1024u);
    EXPECT_EQ(large.height, 1024u);
    Picture smaller = KeptAsPng(300);
    EXPECT_EQ(smaller.width, 300u);

    for (const std::vector<uint8_t> &none : {std::vector<uint8_t>(), std::vector<uint8_t>{'n', 'o', 'p', 'e'}}) {
        Keep(host::EncodePicture(Blocks(32, 32), host::PICTURE_PNG));
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
    Keep(host::EncodePicture(Blocks(32, 32), host::PICTURE_PNG));
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
