#include "SdlGpuDevice.h"

#include <cstddef>

#include "../SoftwareRasteriser.h"
#include "SdlPictureFit.h"

namespace tidewell::platform::sdl {
namespace {

// The formats a texture can be kept in, each with how its packed pixels are handed over.
struct FormatEntry {
    GpuTextureFormat format;
    GLenum internalFormat;
    GLenum pixelFormat;
    GLenum pixelType;
};

const FormatEntry kFormats[] = {
    {{16, 0x7C00, 0x03E0, 0x001F, 0x8000}, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {{16, 0x0F00, 0x00F0, 0x000F, 0xF000}, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
    {{16, 0xF800, 0x07E0, 0x001F, 0}, GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
    {{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000}, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
};

const FormatEntry* findFormat(const GpuTextureFormat& format) {
    for (const FormatEntry& entry : kFormats) {
        if (entry.format == format) {
            return &entry;
        }
    }
    return nullptr;
}

// Screen pixels to clip space: a whole coordinate is a pixel centre (hence the half).
// The back buffer keeps screen row 0 in its row 0, so that the rasteriser's rule for
// pixels on an edge (top and left in, bottom and right out, in its own rows) matches
// the screen's; presenting turns the picture upright. Colours arrive as ARGB words,
// which are B, G, R, A bytes in memory.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec4 diffuse;
layout(location = 2) in vec4 specular;
layout(location = 3) in vec2 coordinates;
flat out vec4 multiplyColour;
flat out vec3 addColour;
out vec2 textureCoordinates;
void main() {
    gl_Position = vec4((position.x + 0.5) / 400.0 - 1.0, (position.y + 0.5) / 300.0 - 1.0, 0.0, 1.0);
    multiplyColour = diffuse;
    addColour = specular.rgb;
    textureCoordinates = coordinates;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
uniform sampler2D picture;
uniform bool textured;
flat in vec4 multiplyColour;
flat in vec3 addColour;
in vec2 textureCoordinates;
out vec4 colour;
void main() {
    vec4 texel = textured ? texture(picture, textureCoordinates) : vec4(1.0);
    colour = vec4(min(texel.rgb * multiplyColour.rgb + addColour, 1.0), texel.a * multiplyColour.a);
}
)";

GLuint compileShader(GLenum kind, const char* source, std::string& whyNot) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        whyNot = std::string("the shader does not compile: ") + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLenum glPrimitive(GpuPrimitive primitive) {
    switch (primitive) {
        case GpuPrimitive::Points:
            return GL_POINTS;
        case GpuPrimitive::Lines:
            return GL_LINES;
        case GpuPrimitive::TriangleStrip:
            return GL_TRIANGLE_STRIP;
        case GpuPrimitive::TriangleFan:
            return GL_TRIANGLE_FAN;
    }
    return GL_POINTS;
}

// Asks for a context that hears of driver resets; drivers that cannot make one get a plain one.
SDL_GLContext createContext(SDL_Window* window, bool& resetReported) {
    for (bool robust : {true, false}) {
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        if (robust) {
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_ROBUST_ACCESS_FLAG);
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_LOSE_CONTEXT);
        }
        SDL_GLContext context = SDL_GL_CreateContext(window);
        if (context != nullptr) {
            resetReported = robust;
            SDL_GL_ResetAttributes();  // SDL's own 2D renderer starts from the defaults again
            return context;
        }
    }
    SDL_GL_ResetAttributes();
    return nullptr;
}

}  // namespace

SdlGpuDevice::SdlGpuDevice(SDL_Window* window) : window_(window) {}

SdlGpuDevice::~SdlGpuDevice() { releaseContext(); }

std::unique_ptr<SdlGpuDevice> SdlGpuDevice::open(SDL_Window* window, std::string& whyNot) {
    if (window == nullptr) {
        whyNot = "there is no window to draw into";
        return nullptr;
    }
    std::unique_ptr<SdlGpuDevice> device(new SdlGpuDevice(window));
    if (!device->makeContext(whyNot)) {
        return nullptr;
    }
    device->readCapabilities();
    return device;
}

bool SdlGpuDevice::makeContext(std::string& whyNot) {
    context_ = createContext(window_, resetReported_);
    if (context_ == nullptr) {
        whyNot = std::string("no OpenGL 3.3 context can be had: ") + SDL_GetError();
        return false;
    }
    if (SDL_GL_MakeCurrent(window_, context_) != 0) {
        whyNot = std::string("the OpenGL context cannot be used: ") + SDL_GetError();
        releaseContext();
        return false;
    }
    // The main loop keeps its own pace; waiting for the display here would only steal from it.
    SDL_GL_SetSwapInterval(0);
    if (epoxy_gl_version() < 33) {
        whyNot = "the OpenGL context is older than 3.3";
        releaseContext();
        return false;
    }
    if (!makePipeline(whyNot)) {
        releaseContext();
        return false;
    }
    return true;
}

bool SdlGpuDevice::makePipeline(std::string& whyNot) {
    const GLuint vertexShader = compileShader(GL_VERTEX_SHADER, kVertexShader, whyNot);
    const GLuint fragmentShader = vertexShader != 0 ? compileShader(GL_FRAGMENT_SHADER, kFragmentShader, whyNot) : 0;
    if (fragmentShader == 0) {
        glDeleteShader(vertexShader);
        return false;
    }
    program_ = glCreateProgram();
    glAttachShader(program_, vertexShader);
    glAttachShader(program_, fragmentShader);
    glLinkProgram(program_);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    GLint linked = GL_FALSE;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        whyNot = "the shader program does not link";
        return false;
    }
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "picture"), 0);
    texturedUniform_ = glGetUniformLocation(program_, "textured");
    glUniform1i(texturedUniform_, 0);
    texturedNow_ = false;

    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    constexpr GLsizei stride = sizeof(GpuVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(GpuVertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(GpuVertex, diffuse)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(GpuVertex, specular)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(GpuVertex, u)));

    glGenRenderbuffers(1, &colourBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kLogicalWidth, kLogicalHeight);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        whyNot = "the back buffer cannot be made";
        return false;
    }

    // The fixed states of every draw: blending by source alpha, the back buffer's own
    // alpha left opaque, nearest texels, one-pixel points and lines, no culling.
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glPointSize(1.0f);
    glLineWidth(1.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glViewport(0, 0, kLogicalWidth, kLogicalHeight);
    if (glGetError() != GL_NO_ERROR) {
        whyNot = "setting up OpenGL failed";
        return false;
    }
    return true;
}

void SdlGpuDevice::releaseContext() {
    textures_.clear();
    if (context_ == nullptr) {
        return;
    }
    // Deleting the context frees every object made in it.
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
    program_ = vertexArray_ = vertexBuffer_ = framebuffer_ = colourBuffer_ = 0;
}

void SdlGpuDevice::dropContext() {
    releaseContext();
    window_ = nullptr;
}

bool SdlGpuDevice::restore() {
    releaseContext();
    if (window_ == nullptr) {
        return false;
    }
    std::string ignored;  // the engine only needs to know whether it worked
    return makeContext(ignored);
}

bool SdlGpuDevice::stillValid() {
    if (context_ == nullptr) {
        return false;
    }
    if (resetReported_ && glGetGraphicsResetStatus() != GL_NO_ERROR) {
        releaseContext();
        return false;
    }
    return true;
}

void SdlGpuDevice::readCapabilities() {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    capabilities_.minTextureWidth = capabilities_.minTextureHeight = 1;
    capabilities_.maxTextureWidth = capabilities_.maxTextureHeight = static_cast<std::uint32_t>(largest);
    // OpenGL 3 takes any size.
    capabilities_.powerOfTwoOnly = false;
    capabilities_.squareOnly = false;
    capabilities_.textureFormats.clear();
    for (const FormatEntry& entry : kFormats) {
        capabilities_.textureFormats.push_back(entry.format);
    }
    // SDL reports an unaccelerated visual when it knows of one; a software rasteriser
    // behind an ordinary visual is known by its name only.
    int acceleratedVisual = 1;
    if (SDL_GL_GetAttribute(SDL_GL_ACCELERATED_VISUAL, &acceleratedVisual) != 0) {
        acceleratedVisual = 1;  // not known: the name decides
    }
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    capabilities_.name = renderer != nullptr ? renderer : "";
    capabilities_.accelerated = acceleratedVisual != 0 && !isSoftwareRasteriser(capabilities_.name);
}

GpuTexture SdlGpuDevice::createTexture(std::uint32_t width, std::uint32_t height, const GpuTextureFormat& format) {
    const FormatEntry* entry = findFormat(format);
    if (!stillValid() || entry == nullptr || width == 0 || height == 0 || width > capabilities_.maxTextureWidth ||
        height > capabilities_.maxTextureHeight) {
        return 0;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    TextureObject object;
    object.format = entry->pixelFormat;
    object.type = entry->pixelType;
    object.bytesPerPixel = format.bitCount / 8;
    glGenTextures(1, &object.name);
    glBindTexture(GL_TEXTURE_2D, object.name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(entry->internalFormat), static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, object.format, object.type, nullptr);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &object.name);
        return 0;
    }
    const GpuTexture handle = nextHandle_++;
    textures_.emplace(handle, object);
    return handle;
}

bool SdlGpuDevice::uploadTexture(GpuTexture texture, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                 std::uint32_t height, const void* pixels, std::size_t pitchBytes) {
    auto found = textures_.find(texture);
    if (!stillValid() || found == textures_.end() || pixels == nullptr ||
        pitchBytes % static_cast<std::size_t>(found->second.bytesPerPixel) != 0) {
        return false;
    }
    const TextureObject& object = found->second;
    glBindTexture(GL_TEXTURE_2D, object.name);
    glPixelStorei(GL_UNPACK_ROW_LENGTH,
                  static_cast<GLint>(pitchBytes / static_cast<std::size_t>(object.bytesPerPixel)));
    glTexSubImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(x), static_cast<GLint>(y), static_cast<GLsizei>(width),
                    static_cast<GLsizei>(height), object.format, object.type, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    return glGetError() == GL_NO_ERROR;
}

void SdlGpuDevice::destroyTexture(GpuTexture texture) {
    auto found = textures_.find(texture);
    if (found == textures_.end()) {
        return;
    }
    if (context_ != nullptr) {
        glDeleteTextures(1, &found->second.name);
    }
    textures_.erase(found);
}

bool SdlGpuDevice::beginFrame() {
    if (!stillValid()) {
        return false;
    }
    if (SDL_GL_GetCurrentContext() != context_ && SDL_GL_MakeCurrent(window_, context_) != 0) {
        return false;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, kLogicalWidth, kLogicalHeight);
    glDisable(GL_SCISSOR_TEST);
    return true;
}

bool SdlGpuDevice::clear(std::uint32_t argb) {
    if (!stillValid()) {
        return false;
    }
    glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return true;
}

void SdlGpuDevice::setClip(const GpuRect& rect) {
    if (context_ == nullptr) {
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void SdlGpuDevice::clearClip() {
    if (context_ != nullptr) {
        glDisable(GL_SCISSOR_TEST);
    }
}

bool SdlGpuDevice::draw(GpuPrimitive primitive, const GpuVertex* vertices, int count, GpuTexture texture) {
    if (!stillValid() || vertices == nullptr || count <= 0) {
        return false;
    }
    const bool textured = texture != 0;
    if (textured) {
        auto found = textures_.find(texture);
        if (found == textures_.end()) {
            return false;
        }
        glBindTexture(GL_TEXTURE_2D, found->second.name);
    }
    if (textured != texturedNow_) {
        glUniform1i(texturedUniform_, textured ? 1 : 0);
        texturedNow_ = textured;
    }
    // A fresh store for every draw lets the driver keep drawing from the previous one.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(GpuVertex) * static_cast<std::size_t>(count)),
                 vertices, GL_STREAM_DRAW);
    glDrawArrays(glPrimitive(primitive), 0, count);
    return true;
}

bool SdlGpuDevice::present() {
    if (!stillValid()) {
        return false;
    }
    int width = 0;
    int height = 0;
    if (!serverWindowSize(window_, width, height)) {
        SDL_GL_GetDrawableSize(window_, &width, &height);
    }
    const PictureRect box = pictureFitOf(window_).destination();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);  // the letterbox bars
    glClear(GL_COLOR_BUFFER_BIT);
    // The window's rows count from the bottom: the back buffer's row 0 goes to the top.
    const int bottom = height - box.y - box.height;
    glBlitFramebuffer(0, 0, kLogicalWidth, kLogicalHeight, box.x, bottom + box.height, box.x + box.width, bottom,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    SDL_GL_SwapWindow(window_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, kLogicalWidth, kLogicalHeight);
    return glGetError() == GL_NO_ERROR;
}

bool SdlGpuDevice::readBackBuffer(std::vector<std::uint32_t>& pixels) {
    if (!stillValid()) {
        return false;
    }
    pixels.resize(static_cast<std::size_t>(kLogicalWidth) * kLogicalHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glReadPixels(0, 0, kLogicalWidth, kLogicalHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
    if (glGetError() != GL_NO_ERROR) {
        return false;
    }
    for (std::uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return true;
}

void SdlGpuDevice::finish() {
    if (context_ != nullptr) {
        glFinish();
    }
}

}  // namespace tidewell::platform::sdl
