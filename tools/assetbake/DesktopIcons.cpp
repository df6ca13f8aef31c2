#include "DesktopIcons.h"

#include "BakeError.h"
#include "Manifest.h"
#include "Picture.h"

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace assetbake {
namespace {

const ManifestRow& iconRow(const std::vector<ManifestRow>& rows, const std::string& manifestPath) {
    const auto found = std::find_if(rows.begin(), rows.end(), [](const ManifestRow& row) { return row.kind == AssetKind::Icon; });
    if (found == rows.end()) throw BakeError(manifestPath + ": has no icon row to make the desktop icons from");
    return *found;
}

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw BakeError(path + ": cannot be read");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Written under a temporary name and renamed, so a failed bake leaves no half file behind.
void replaceFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    const std::filesystem::path temporary = path.string() + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << bytes;
        if (!file.flush()) throw BakeError(temporary.string() + ": cannot be written");
    }
    std::filesystem::rename(temporary, path);
}

void writePng(const Picture& picture, const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    // Cairo's ARGB32 is exactly the picture's premultiplied words, rows of width * 4 bytes.
    std::vector<std::uint32_t> pixels = picture.premultiplied;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32,
                                            picture.width, picture.height, picture.width * 4),
        &cairo_surface_destroy);
    const std::filesystem::path temporary = path.string() + ".part";
    if (cairo_surface_write_to_png(surface.get(), temporary.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw BakeError(temporary.string() + ": cannot be written");
    }
    std::filesystem::rename(temporary, path);
}

} // namespace

std::string scalableIconSvg(const std::string& sheetSvg, int frameWidth, int frameHeight) {
    // The sheet goes in as a nested <svg> element, which may not carry an XML declaration.
    std::string sheet = sheetSvg;
    if (sheet.rfind("<?xml", 0) == 0) {
        const std::size_t end = sheet.find("?>");
        sheet.erase(0, end == std::string::npos ? sheet.size() : end + 2);
    }
    const int side = std::max(frameWidth, frameHeight);
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << side << "\" height=\"" << side << "\" viewBox=\""
        << (frameWidth - side) / 2.0 << ' ' << (frameHeight - side) / 2.0 << ' ' << side << ' ' << side << "\">\n"
        << "  <defs><clipPath id=\"desktopIconFrame\"><rect x=\"0\" y=\"0\" width=\"" << frameWidth << "\" height=\""
        << frameHeight << "\"/></clipPath></defs>\n"
        << "  <g clip-path=\"url(#desktopIconFrame)\">\n"
        << sheet << "\n  </g>\n</svg>\n";
    return svg.str();
}

void writeDesktopIcons(const std::string& assetsDirectory, const std::string& outputDirectory) {
    const std::string manifestPath = (std::filesystem::path(assetsDirectory) / "manifest").string();
    const std::vector<ManifestRow> rows = readManifest(manifestPath);
    const ManifestRow& row = iconRow(rows, manifestPath);
    const std::string source = sourcePath(row, assetsDirectory);
    const std::filesystem::path theme = std::filesystem::path(outputDirectory) / "hicolor";
    const std::string fileName = std::string(kDesktopIconName);
    for (int side : kDesktopIconSides) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        writePng(renderSvgFrameFitted(source, row.frameWidth, row.frameHeight, side),
                 theme / size / "apps" / (fileName + ".png"));
    }
    replaceFile(theme / "scalable" / "apps" / (fileName + ".svg"),
                scalableIconSvg(readText(source), row.frameWidth, row.frameHeight));
}

} // namespace assetbake
