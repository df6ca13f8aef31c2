#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every file baked for the game must be asked for by name somewhere in the game's or the
// engine's code: a file nobody loads is a picture or a sound the player never meets, and a
// name misspelt in the code shows up here as the manifest's file left unused.
std::string sourceTextUnder(const std::filesystem::path& folder) {
    std::string text;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h") continue;
        std::ifstream file(entry.path());
        std::stringstream content;
        content << file.rdbuf();
        text += content.str();
    }
    return text;
}

std::vector<std::string> manifestFileNames() {
    std::ifstream manifest(std::string(BRINEFALL_ASSETS_DIR) + "/manifest");
    std::vector<std::string> names;
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream words(line);
        std::string name;
        if (words >> name && name[0] != '#') names.push_back(name);
    }
    return names;
}

TEST(PicturesInUse, EveryFileOfTheManifestIsAskedForByTheProgram) {
    const std::filesystem::path gameFolder = BRINEFALL_GAME_DIR;
    const std::string code = sourceTextUnder(gameFolder) + sourceTextUnder(gameFolder.parent_path() / "gameengine");
    const std::vector<std::string> names = manifestFileNames();
    ASSERT_GT(names.size(), 90u) << "the manifest was not read";
    for (const std::string& name : names) {
        EXPECT_NE(code.find('"' + name + '"'), std::string::npos) << name << " is baked but nothing loads it";
    }
}

}  // namespace
