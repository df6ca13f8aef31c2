#include <vector>

#include "resources/ColoursImage.h"
#include "core/ErrorGeneric.h"
#include "ResourceTestSupport.h"

using tidewell::ColoursImage;
using tidewell::ErrorGeneric;

namespace {

TEST(ColoursImageTest, ImagesAreEqualOnlyWithTheSameSizeAndEveryColour) {
    std::vector<std::uint32_t> colours = {0xFF000000, 0xFFFFFFFF, 0x80FF0000, 0x00000000, 0x12345678, 0xFEDCBA98};
    ColoursImage wide(3, 2, colours.data());
    ColoursImage same(3, 2, colours.data());
    ColoursImage tall(2, 3, colours.data());
    EXPECT_TRUE(wide == same);
    EXPECT_FALSE(wide == tall);

    colours[5] ^= 1;
    ColoursImage changed(3, 2, colours.data());
    EXPECT_FALSE(wide == changed);
    EXPECT_FALSE(wide.matches(3, 2, nullptr));
}

TEST(ColoursImageTest, KeepsItsOwnCopyAndStaysLoaded) {
    std::vector<std::uint32_t> colours = {1, 2};
    ColoursImage image(2, 1, colours.data());
    colours[0] = 99;
    EXPECT_EQ(image.pixels[0], 1u);
    image.unload();
    image.reload();
    EXPECT_TRUE(image.loaded);
    EXPECT_EQ(image.pixels[1], 2u);
}

TEST(ColoursImageTest, EmptyOrMissingColoursAreRefused) {
    const std::uint32_t colour = 0;
    for (auto make : {+[](const std::uint32_t* c) { ColoursImage bad(0, 1, c); },
                      +[](const std::uint32_t* c) { ColoursImage bad(1, 0, c); },
                      +[](const std::uint32_t*) { ColoursImage bad(1, 1, nullptr); }}) {
        const auto error = thrown<ErrorGeneric>([&] { make(&colour); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->module, "ColoursImage");
        EXPECT_EQ(error->line, 53);
    }
}

} // namespace
