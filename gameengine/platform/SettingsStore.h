#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tidewell::platform {

// Persistent values under a key path such as "Software\Tidewell\Brinefall", in the
// manner of the current user's registry: each value is a name and a few bytes.
// There is no cache; every call reads or writes the store.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Creates the key if needed; false when the path is unusable or the store cannot be made.
    virtual bool openKey(const std::string& keyPath) = 0;
    // The bytes of a value; nothing when the key or value is missing or its entry is damaged.
    virtual std::optional<std::vector<std::uint8_t>> readValue(const std::string& keyPath,
                                                               const std::string& name) = 0;
    // Stores the bytes of a value, replacing the old ones; false when it could not be written.
    virtual bool writeValue(const std::string& keyPath, const std::string& name,
                            std::span<const std::uint8_t> bytes) = 0;
};

} // namespace tidewell::platform
