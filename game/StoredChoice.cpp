#include "StoredChoice.h"

#include "core/SettingManager.h"

namespace brinefall::StoredChoice {

bool isOn(const char* name) {
    bool on = true;
    tidewell::SettingManager::readSetting(name, &on);
    return on;
}

}  // namespace brinefall::StoredChoice
