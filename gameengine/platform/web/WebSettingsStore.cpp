#include "WebSettingsStore.h"

#include <emscripten.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tidewell::platform::web {
namespace {

const std::filesystem::path kRoot = "/settings";

}  // namespace

WebSettingsStore::WebSettingsStore() : FileSettingsStore(kRoot) {
    // Every stored file goes back into memory before the first read; storage a page may not
    // use (private windows, blocked cookies) leaves the settings at their defaults.
    EM_ASM({
        var root = UTF8ToString($0);
        var storage;
        try { storage = window.localStorage; } catch (e) { return; }
        if (!storage) return;
        for (var i = 0; i < storage.length; ++i) {
            var name = storage.key(i);
            if (name.indexOf('brinefall:') !== 0) continue;
            var path = root + '/' + name.substring('brinefall:'.length);
            if (path.indexOf('/../') >= 0) continue;
            FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
            FS.writeFile(path, storage.getItem(name));
        }
    }, kRoot.c_str());
}

bool WebSettingsStore::commit(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (!FileSettingsStore::commit(temporary, target)) return false;
    std::ifstream in(target, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string item = "brinefall:" + target.lexically_relative(kRoot).generic_string();
    return EM_ASM_INT({
        try {
            window.localStorage.setItem(UTF8ToString($0), UTF8ToString($1));
            return 1;
        } catch (e) {
            return 0;  // full, or not allowed: the value lasts only while the page is open
        }
    }, item.c_str(), content.c_str()) != 0;
}

}  // namespace tidewell::platform::web
