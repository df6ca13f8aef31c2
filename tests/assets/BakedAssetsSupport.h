#pragma once

// The manifest, split into the rows whose sources exist and those still missing.

#include "Manifest.h"

#include <filesystem>
#include <string>
#include <vector>

struct ManifestRows {
    std::vector<assetbake::ManifestRow> present;
    std::vector<assetbake::ManifestRow> missing;
};

inline ManifestRows manifestRows() {
    ManifestRows rows;
    for (assetbake::ManifestRow& row : assetbake::readManifest(std::string(BRINEFALL_ASSETS_DIR) + "/manifest")) {
        if (std::filesystem::exists(assetbake::sourcePath(row, BRINEFALL_ASSETS_DIR))) {
            rows.present.push_back(std::move(row));
        } else {
            rows.missing.push_back(std::move(row));
        }
    }
    return rows;
}

inline std::string dataPath(const std::string& name) { return std::string(BRINEFALL_DATA_DIR) + "/" + name; }
