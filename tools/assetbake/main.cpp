// assetbake: builds the game's data files from the sources in assets/.
//
//   assetbake --assets DIR --out DIR [--skip-missing] [NAME...]
//       bakes the rows of DIR/manifest (all, or the named ones) into the output folder
//   assetbake --assets DIR --out DIR --row NAME KIND SOURCE GRID FRAME
//       bakes one row given on the command line (the build passes each row this way,
//       so that a changed row rebuilds its file)
//   assetbake --contact-sheet FILE --data DIR
//       writes a PNG of every .twi file in the data folder
//   assetbake --assets DIR --desktop-icons OUT
//       writes the desktop's hicolor icons (PNG sizes and a scalable SVG) from the icon row

#include "BakeError.h"
#include "Baker.h"
#include "ContactSheet.h"
#include "DesktopIcons.h"
#include "Manifest.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

// Fontconfig (under librsvg's text) keeps its caches until the process ends, by
// design; the sanitizer build must not take that for a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

constexpr const char* kUsage =
    "usage: assetbake --assets DIR --out DIR [--skip-missing] [NAME...]\n"
    "       assetbake --assets DIR --out DIR --row NAME KIND SOURCE GRID FRAME\n"
    "       assetbake --contact-sheet FILE --data DIR\n"
    "       assetbake --assets DIR --desktop-icons OUT\n";

struct Options {
    std::string assets, out, contactSheet, data, desktopIcons;
    bool skipMissing = false;
    std::vector<std::string> row;
    std::vector<std::string> names;
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        auto value = [&](std::string& target) {
            if (index + 1 >= argc) return false;
            target = argv[++index];
            return true;
        };
        if (argument == "--assets") {
            if (!value(options.assets)) return false;
        } else if (argument == "--out") {
            if (!value(options.out)) return false;
        } else if (argument == "--contact-sheet") {
            if (!value(options.contactSheet)) return false;
        } else if (argument == "--data") {
            if (!value(options.data)) return false;
        } else if (argument == "--desktop-icons") {
            if (!value(options.desktopIcons)) return false;
        } else if (argument == "--skip-missing") {
            options.skipMissing = true;
        } else if (argument == "--row") {
            if (argc - index - 1 != 5) return false;
            options.row.assign(argv + index + 1, argv + argc);
            break;
        } else if (argument.rfind("--", 0) == 0) {
            return false;
        } else {
            options.names.push_back(argument);
        }
    }
    if (!options.contactSheet.empty()) return !options.data.empty() && options.assets.empty() && options.out.empty();
    if (!options.desktopIcons.empty()) return !options.assets.empty() && options.out.empty();
    return !options.assets.empty() && !options.out.empty();
}

int bakeManifest(const Options& options) {
    const std::string manifestPath = (std::filesystem::path(options.assets) / "manifest").string();
    const std::vector<assetbake::ManifestRow> rows = assetbake::readManifest(manifestPath);
    std::set<std::string> wanted(options.names.begin(), options.names.end());
    const bool everything = wanted.empty();
    for (const assetbake::ManifestRow& row : rows) {
        if (!everything && wanted.erase(row.name) == 0) continue;
        if (options.skipMissing && !std::filesystem::exists(assetbake::sourcePath(row, options.assets))) {
            std::fprintf(stderr, "assetbake: skipping %s: %s is missing\n", row.name.c_str(), row.source.c_str());
            continue;
        }
        assetbake::bakeRowInto(row, options.assets, options.out);
    }
    if (!wanted.empty()) throw assetbake::BakeError(*wanted.begin() + " is not in " + manifestPath);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        if (!options.contactSheet.empty()) {
            const int count = assetbake::writeContactSheet(options.data, options.contactSheet);
            std::printf("assetbake: %d pictures in %s\n", count, options.contactSheet.c_str());
            return 0;
        }
        if (!options.desktopIcons.empty()) {
            assetbake::writeDesktopIcons(options.assets, options.desktopIcons);
            return 0;
        }
        if (!options.row.empty()) {
            const assetbake::ManifestRow row = assetbake::parseManifestRow(options.row, "command line", 0);
            assetbake::bakeRowInto(row, options.assets, options.out);
            return 0;
        }
        return bakeManifest(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetbake: %s\n", error.what());
        return 1;
    }
}
