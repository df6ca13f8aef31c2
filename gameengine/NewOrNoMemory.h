#pragma once

#include "ErrorNoMemory.h"
#include "Registry.h"

#include <memory>
#include <new>
#include <utility>

namespace tidewell {

// Allocates an engine object; a failed allocation is the engine's ErrorNoMemory,
// which the entry point turns into its dialog.
template <typename T, typename... Arguments>
T* newOrNoMemory(Arguments&&... arguments) {
    T* object = new (std::nothrow) T(std::forward<Arguments>(arguments)...);
    if (object == nullptr) {
        throw ErrorNoMemory();
    }
    return object;
}

// A manager's empty registry, created at its start.
template <typename T>
std::unique_ptr<Registry<T>> newRegistry() {
    return std::unique_ptr<Registry<T>>(newOrNoMemory<Registry<T>>());
}

} // namespace tidewell
