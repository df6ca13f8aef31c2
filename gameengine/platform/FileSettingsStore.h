#pragma once

#include "SettingsStore.h"

#include <filesystem>
#include <map>

namespace tidewell::platform {

// Settings kept as text files: key "Software\Tidewell\Brinefall" under root R is the
// file R/Tidewell/Brinefall/settings, one "name=hexbytes" line per value. Writes go
// to a temporary file beside it that is flushed and renamed over the old one, so a
// crash leaves either the old or the new file, never a torn one. Lines that cannot be
// parsed read as missing values and are kept untouched when other values are written.
class FileSettingsStore : public SettingsStore {
public:
    // An empty root makes every key unusable: reads find nothing, writes are lost.
    explicit FileSettingsStore(std::filesystem::path root);

    bool openKey(const std::string& keyPath) override;
    std::optional<std::vector<std::uint8_t>> readValue(const std::string& keyPath,
                                                       const std::string& name) override;
    bool writeValue(const std::string& keyPath, const std::string& name,
                    std::span<const std::uint8_t> bytes) override;

    // The file that holds a key's values; nothing for an unusable key path.
    std::optional<std::filesystem::path> fileForKey(const std::string& keyPath) const;

    // The conventional root: $XDG_CONFIG_HOME, else $HOME/.config; empty when neither is set.
    static std::filesystem::path userConfigRoot();

protected:
    // Moves the finished temporary file over the settings file. Tests replace it to
    // simulate a crash between writing the temporary file and renaming it.
    virtual bool commit(const std::filesystem::path& temporary, const std::filesystem::path& target);

private:
    std::filesystem::path root_;
};

} // namespace tidewell::platform
