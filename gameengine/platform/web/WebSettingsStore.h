#pragma once

#include "../FileSettingsStore.h"

namespace tidewell::platform::web {

// The settings in the browser's local storage, kept exactly as the desktop's settings
// files: each file ("Tidewell/Brinefall/settings", its "name=hexbytes" lines) is one
// storage item named "brinefall:" and the file's path. The files live in the program's
// memory while it runs; every write that reaches a file is stored in the item as well.
class WebSettingsStore : public FileSettingsStore {
public:
    WebSettingsStore();

protected:
    bool commit(const std::filesystem::path& temporary, const std::filesystem::path& target) override;
};

}  // namespace tidewell::platform::web
