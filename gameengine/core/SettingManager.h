#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tidewell::SettingManager {

// The user's settings: one-byte boolean values (and a few of several bytes) under one key of the settings
// store. Reading a value that does not exist yet stores the caller's default, so
// after the first run every setting is present. Nothing is cached.

// Sets the key path ("Software\Tidewell\Brinefall"); null or empty forgets it. Closes any open key.
void setSettingsKey(const char* keyPath);
// *value holds the default on entry and the stored value on return; a missing value is created.
void readSetting(const char* name, bool* value);
// Stores one value; lost silently when the store cannot be written.
void writeSetting(const char* name, bool value);
// A value of several bytes: *value holds the default on entry and the stored bytes on return.
// A missing value, or one of another size than the default, is stored as the default.
void readSetting(const char* name, std::vector<std::uint8_t>* value);
void writeSetting(const char* name, std::span<const std::uint8_t> value);
// Marks the manager started (engine start-up).
void start();
// Closes the key, forgets the path, clears started.
void stopSettings();
bool isStarted();

} // namespace tidewell::SettingManager
