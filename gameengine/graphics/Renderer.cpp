#include "graphics/Renderer.h"

#include "core/ErrorGeneric.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\Texture";
// A texture reached a renderer that did not prepare it for its hardware form.
constexpr int kLineNoHardwareForm = 995;

}  // namespace

void Renderer::createTextureSurfaces(Texture&) { throw ErrorGeneric(kModulePath, kLineNoHardwareForm, 0); }

void Renderer::destroyTextureSurfaces(Texture&) {}

bool Renderer::readFrame(std::vector<std::uint32_t>&, int&, int&, std::string& whyNot) {
    whyNot = "the picture of the graphics card cannot be read back (the software renderer can)";
    return false;
}

void Renderer::drawTexture(Texture&, int, int, int, int, int, int, int, int, std::uint32_t, std::uint32_t) {
    throw ErrorGeneric(kModulePath, kLineNoHardwareForm, 0);
}

}  // namespace tidewell
