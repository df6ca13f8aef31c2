#include "BakedAssetsSupport.h"

#include "Baker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

// Fontconfig (under librsvg's text) keeps its caches until the process ends, by
// design; the sanitizer build must not take that for a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

std::vector<char> bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Bakes everything again into a fresh folder and compares it, file by file,
// with what the build baked: no time stamps, random seeds or addresses may
// leak into a file. Sounds are compared as the Ogg Vorbis files the build made.
TEST(BakeDeterminismTest, ASecondBakeIsByteForByteTheSame) {
    std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-bake-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path directory = pattern;
    const ManifestRows rows = manifestRows();
    ASSERT_FALSE(rows.present.empty());
    for (const assetbake::ManifestRow& row : rows.present) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_THROW(assetbake::bakeRowInto(row, BRINEFALL_ASSETS_DIR, directory.string()));
        const bool sound = row.kind == assetbake::AssetKind::Sound || row.kind == assetbake::AssetKind::Music;
        const std::string built = sound ? std::string(BRINEFALL_OGG_DIR) + "/" + row.bakedFileName() : dataPath(row.name);
        const std::vector<char> first = bytesOf(built);
        EXPECT_FALSE(first.empty());
        EXPECT_TRUE(first == bytesOf((directory / row.bakedFileName()).string()));
    }
    std::filesystem::remove_all(directory);
}

} // namespace
