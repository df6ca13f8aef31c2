#include "ContactSheet.h"

#include "BakeError.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace assetbake {
namespace {

constexpr int kSheetWidth = 1800;
constexpr int kLargestCell = 300;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
constexpr int kCheckerSquare = 8;
// The labels' font is about this wide per character; a cell is never narrower than its label.
constexpr double kLabelCharacterWidth = 6.8;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

struct Entry {
    std::string name;
    std::string label() const { return name + "  " + std::to_string(width) + "x" + std::to_string(height); }
    Surface surface;
    int width = 0, height = 0;
    double scale = 1;
    int x = 0, y = 0;
};

std::uint32_t readLittleEndian32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The picture as the game shows it: each 4-bit channel n as n × 16.
Entry loadTwi(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 24) throw BakeError(path.string() + ": too short for a .twi file");
    const std::uint32_t width = readLittleEndian32(bytes, 0), height = readLittleEndian32(bytes, 4);
    if (width == 0 || height == 0 || width > 16384 || height > 16384 ||
        bytes.size() < 24 + static_cast<std::size_t>(width) * height * 2) {
        throw BakeError(path.string() + ": its size does not match its pixels");
    }
    Entry entry;
    entry.name = path.filename().string();
    entry.width = static_cast<int>(width);
    entry.height = static_cast<int>(height);
    entry.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, entry.width, entry.height));
    unsigned char* data = cairo_image_surface_get_data(entry.surface.get());
    const int stride = cairo_image_surface_get_stride(entry.surface.get());
    for (std::uint32_t y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = 24 + (static_cast<std::size_t>(y) * width + x) * 2;
            const unsigned word = bytes[at] | bytes[at + 1] << 8;
            const unsigned alpha = (word >> 12) * 16;
            auto premultiply = [&](unsigned shift) { return ((word >> shift) & 0xF) * 16 * alpha / 255; };
            row[x] = alpha << 24 | premultiply(8) << 16 | premultiply(4) << 8 | premultiply(0);
        }
    }
    cairo_surface_mark_dirty(entry.surface.get());
    entry.scale = std::min(1.0, static_cast<double>(kLargestCell) / std::max(entry.width, entry.height));
    return entry;
}

// Shelf packing: left to right, a new row when the sheet is full.
int layOut(std::vector<Entry>& entries) {
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (Entry& entry : entries) {
        const int labelWidth = static_cast<int>(entry.label().size() * kLabelCharacterWidth);
        const int cellWidth = std::max(static_cast<int>(entry.width * entry.scale), labelWidth);
        const int cellHeight = static_cast<int>(entry.height * entry.scale) + kLabelHeight;
        if (x + cellWidth + kMargin > kSheetWidth && x > kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        entry.x = x;
        entry.y = y;
        x += cellWidth + kMargin;
        rowHeight = std::max(rowHeight, cellHeight);
    }
    return y + rowHeight + kMargin;
}

void drawEntry(cairo_t* context, const Entry& entry) {
    const double width = entry.width * entry.scale, height = entry.height * entry.scale;
    for (int cy = 0; cy * kCheckerSquare < height; ++cy) {
        for (int cx = 0; cx * kCheckerSquare < width; ++cx) {
            const double shade = (cx + cy) % 2 == 0 ? 0.55 : 0.7;
            cairo_set_source_rgb(context, shade, shade, shade);
            cairo_rectangle(context, entry.x + cx * kCheckerSquare, entry.y + cy * kCheckerSquare,
                            std::min<double>(kCheckerSquare, width - cx * kCheckerSquare),
                            std::min<double>(kCheckerSquare, height - cy * kCheckerSquare));
            cairo_fill(context);
        }
    }
    cairo_save(context);
    cairo_translate(context, entry.x, entry.y);
    cairo_scale(context, entry.scale, entry.scale);
    cairo_set_source_surface(context, entry.surface.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(context), CAIRO_FILTER_GOOD);
    cairo_paint(context);
    cairo_restore(context);

    const std::string label = entry.label();
    cairo_set_source_rgb(context, 0.95, 0.95, 0.95);
    cairo_move_to(context, entry.x, entry.y + height + kLabelHeight - 4);
    cairo_show_text(context, label.c_str());
}

} // namespace

int writeContactSheet(const std::string& dataDirectory, const std::string& pngPath) {
    std::vector<std::filesystem::path> paths;
    for (const auto& file : std::filesystem::directory_iterator(dataDirectory)) {
        if (file.path().extension() == ".twi") paths.push_back(file.path());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<Entry> entries;
    for (const auto& path : paths) entries.push_back(loadTwi(path));

    const int height = std::max(layOut(entries), 2 * kMargin);
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height));
    std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(sheet.get()));
    cairo_set_source_rgb(context.get(), 0.12, 0.14, 0.18);
    cairo_paint(context.get());
    cairo_select_font_face(context.get(), "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context.get(), 11);
    for (const Entry& entry : entries) drawEntry(context.get(), entry);
    cairo_surface_flush(sheet.get());
    if (cairo_surface_write_to_png(sheet.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw BakeError(pngPath + ": cannot be written");
    }
    return static_cast<int>(entries.size());
}

} // namespace assetbake
