#include <string>

#include "resources/AssetFile.h"
#include "ResourceTestSupport.h"

using tidewell::AssetFile;

namespace {

class AssetFileTest : public ScratchFixture {
protected:
    std::string contentsOf(const std::string& name) {
        AssetFile file(name);
        if (!file.isOpen()) return "<not open>";
        std::string text(64, '\0');
        text.resize(file.read(text.data(), text.size()));
        return text;
    }
};

TEST_F(AssetFileTest, ANameDifferingOnlyInCaseOpensTheFileThatExists) {
    write("enemy05Shoot.tws", {'s', 'h', 'o', 't'});
    EXPECT_EQ(contentsOf(path("enemy05shoot.tws")), "shot");
    EXPECT_EQ(contentsOf(path("ENEMY05SHOOT.TWS")), "shot");
    EXPECT_EQ(contentsOf(path("enemy05Shoot.tws")), "shot");
    EXPECT_EQ(contentsOf(path("enemy05Shoot.twsx")), "<not open>");
    EXPECT_EQ(contentsOf(path("enemy5Shoot.tws")), "<not open>");
}

TEST_F(AssetFileTest, TheExactNameWinsAndOtherwiseTheChoiceIsTheSameEverywhere) {
    write("Title.twi", {'T'});
    write("title.twi", {'t'});
    write("TITLE.twi", {'U'});
    EXPECT_EQ(contentsOf(path("title.twi")), "t");
    EXPECT_EQ(contentsOf(path("Title.twi")), "T");
    // Neither exists exactly: the alphabetically first of the candidates.
    EXPECT_EQ(contentsOf(path("tItLe.twi")), "U");
}

TEST_F(AssetFileTest, OnlyTheFileNameIgnoresCaseNotTheFoldersAboveIt) {
    std::filesystem::create_directory(directory / "Data");
    write("Data/logo.twi", {'L'});
    EXPECT_EQ(contentsOf(path("Data/LOGO.twi")), "L");
    EXPECT_EQ(contentsOf(path("data/logo.twi")), "<not open>");
}

TEST_F(AssetFileTest, NamesWithoutAFolderAreLookedUpInTheWorkingDirectory) {
    write("Company.tws", {'c'});
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);
    const std::string contents = contentsOf("company.tws");
    std::filesystem::current_path(previous);
    EXPECT_EQ(contents, "c");
}

TEST_F(AssetFileTest, BytesLeftCountsFromTheReadPosition) {
    write("seven.bin", {1, 2, 3, 4, 5, 6, 7});
    AssetFile file(path("SEVEN.bin"));
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.bytesLeft(), 7u);
    std::uint8_t buffer[3];
    EXPECT_EQ(file.read(buffer, 3), 3u);
    EXPECT_EQ(file.bytesLeft(), 4u);
    EXPECT_EQ(file.read(buffer, 3), 3u);
    EXPECT_EQ(file.read(buffer, 3), 1u);
    EXPECT_EQ(file.bytesLeft(), 0u);
    EXPECT_FALSE(file.hasReadError());
}

TEST_F(AssetFileTest, AFolderOpensButItsReadFails) {
    std::filesystem::create_directory(directory / "sound.tws");
    AssetFile file(path("sound.tws"));
    ASSERT_TRUE(file.isOpen());
    std::uint8_t buffer[4];
    EXPECT_EQ(file.read(buffer, 4), 0u);
    EXPECT_TRUE(file.hasReadError());
    EXPECT_EQ(file.bytesLeft(), 0u);
}

TEST(AssetFileFieldsTest, FieldsAreLittleEndian) {
    const std::uint8_t bytes[] = {0x78, 0x56, 0x34, 0xF2};
    EXPECT_EQ(AssetFile::littleEndian32(bytes), 0xF2345678u);
}

} // namespace
