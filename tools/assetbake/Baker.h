#pragma once

#include "Manifest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assetbake {

// The side of the window icon, baked from frame 0 of the hero's sheet.
constexpr int kIconSide = 32;

// The bytes of one row's file (see ManifestRow::bakedFileName). BakeError for
// a missing or bad source.
std::vector<std::uint8_t> bakeRow(const ManifestRow& row, const std::string& assetsDirectory);

// Bakes the row into the output folder. The file is written under a temporary
// name and renamed, so a failed bake never leaves a half-written file behind
// that a build would take for finished.
void bakeRowInto(const ManifestRow& row, const std::string& assetsDirectory, const std::string& outputDirectory);

} // namespace assetbake
