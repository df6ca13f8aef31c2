#include "PngFile.h"

// A build without libpng (the web build) writes no PNG files and says so.
#ifdef BRINEFALL_NO_PNG

namespace tidewell::platform {

bool writePng(const std::filesystem::path&, const std::uint32_t*, int, int, std::string& whyNot) {
    whyNot = "this build of the game writes no PNG files";
    return false;
}

}  // namespace tidewell::platform

#else

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace tidewell::platform {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};

// libpng reports errors by long jump; the message is kept for the caller.
void onPngError(png_structp png, png_const_charp message) {
    auto* whyNot = static_cast<std::string*>(png_get_error_ptr(png));
    if (whyNot) *whyNot = message;
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// Everything that libpng's long jump may cross lives here, outside the function that calls setjmp.
bool encode(std::FILE* file, const std::uint32_t* rgb, int width, int height, std::vector<png_byte>& row,
            std::string& whyNot) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &whyNot, onPngError, onPngWarning);
    if (!png) {
        whyNot = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        if (whyNot.empty()) whyNot = "out of memory";
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = rgb + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>(source[x] >> 16);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(source[x] >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(source[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::filesystem::path& path, const std::uint32_t* rgb, int width, int height, std::string& whyNot) {
    whyNot.clear();
    if (!rgb || width <= 0 || height <= 0) {
        whyNot = "no picture";
        return false;
    }
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) {
        whyNot = std::strerror(errno);
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(raw);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    bool written = encode(file.get(), rgb, width, height, row, whyNot);
    if (std::fflush(file.get()) != 0 && written) {
        whyNot = std::strerror(errno);
        written = false;
    }
    if (std::fclose(file.release()) != 0 && written) {
        whyNot = std::strerror(errno);
        written = false;
    }
    if (!written) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    return written;
}

}  // namespace tidewell::platform

#endif
