#include "Picture.h"

#include "BakeError.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>

namespace assetbake {
namespace {

// SVG lengths in pixels are at 96 per inch, the CSS convention that drawing
// programs follow.
constexpr double kDotsPerInch = 96.0;

struct HandleDeleter {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
using Handle = std::unique_ptr<RsvgHandle, HandleDeleter>;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

std::string takeMessage(GError* error) {
    std::string message = error != nullptr ? error->message : "unknown error";
    if (error != nullptr) g_error_free(error);
    return message;
}

Handle openSvg(const std::string& path) {
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &error);
    if (handle == nullptr) throw BakeError(path + ": not a readable SVG file: " + takeMessage(error));
    rsvg_handle_set_dpi(handle, kDotsPerInch);
    return Handle(handle);
}

void declaredSize(RsvgHandle* handle, const std::string& path, double& width, double& height) {
    if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height)) return;
    gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
    RsvgLength widthLength{}, heightLength{};
    RsvgRectangle viewBox{};
    rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &widthLength, &hasHeight, &heightLength, &hasViewBox,
                                         &viewBox);
    if (!hasViewBox) {
        throw BakeError(path + ": declares no size: give the <svg> element width and height or a viewBox");
    }
    width = viewBox.width;
    height = viewBox.height;
}

// Renders with `place` deciding where the document's viewport goes on a
// width × height surface.
template <typename Place>
Picture render(RsvgHandle* handle, const std::string& path, int width, int height, Place place) {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        throw BakeError(path + ": no memory for a " + std::to_string(width) + " x " + std::to_string(height) +
                        " picture");
    }
    std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
    RsvgRectangle viewport = place(context.get());
    GError* error = nullptr;
    if (!rsvg_handle_render_document(handle, context.get(), &viewport, &error)) {
        throw BakeError(path + ": cannot be rendered: " + takeMessage(error));
    }
    cairo_surface_flush(surface.get());

    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.premultiplied.resize(static_cast<std::size_t>(width) * height);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y) {
        std::memcpy(&picture.premultiplied[static_cast<std::size_t>(y) * width], data + static_cast<std::size_t>(y) * stride,
                    static_cast<std::size_t>(width) * 4);
    }
    return picture;
}

} // namespace

void svgSize(const std::string& path, double& width, double& height) {
    Handle handle = openSvg(path);
    declaredSize(handle.get(), path, width, height);
}

Picture renderSvgSheet(const std::string& path, int width, int height) {
    Handle handle = openSvg(path);
    double declaredWidth = 0, declaredHeight = 0;
    declaredSize(handle.get(), path, declaredWidth, declaredHeight);
    if (std::abs(declaredWidth - width) > 1e-6 || std::abs(declaredHeight - height) > 1e-6) {
        std::ostringstream message;
        message << path << ": is " << declaredWidth << " x " << declaredHeight << " but the manifest's grid and frame make "
                << width << " x " << height;
        throw BakeError(message.str());
    }
    return render(handle.get(), path, width, height, [&](cairo_t*) {
        return RsvgRectangle{0, 0, static_cast<double>(width), static_cast<double>(height)};
    });
}

Picture renderSvgFrameFitted(const std::string& path, int frameWidth, int frameHeight, int side) {
    Handle handle = openSvg(path);
    double sheetWidth = 0, sheetHeight = 0;
    declaredSize(handle.get(), path, sheetWidth, sheetHeight);
    if (sheetWidth < frameWidth || sheetHeight < frameHeight) {
        throw BakeError(path + ": is smaller than one frame of the manifest");
    }
    const double scale = std::min(side / static_cast<double>(frameWidth), side / static_cast<double>(frameHeight));
    const double left = (side - frameWidth * scale) / 2;
    const double top = (side - frameHeight * scale) / 2;
    return render(handle.get(), path, side, side, [&](cairo_t* context) {
        // Only frame 0: its neighbours in the sheet would otherwise show in the margins.
        cairo_rectangle(context, left, top, frameWidth * scale, frameHeight * scale);
        cairo_clip(context);
        return RsvgRectangle{left, top, sheetWidth * scale, sheetHeight * scale};
    });
}

} // namespace assetbake
