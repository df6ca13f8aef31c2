#pragma once

#include <memory>
#include <new>
#include <utility>

#include "core/ErrorNoMemory.h"
#include "resources/Registry.h"

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

// Runs work that allocates (filling a container, say); a failed allocation becomes the
// engine's ErrorNoMemory, after onFailure has undone what must not outlive the failure.
template <typename Work, typename OnFailure>
decltype(auto) orNoMemory(Work work, OnFailure onFailure) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        onFailure();
        throw ErrorNoMemory();
    }
}

template <typename Work>
decltype(auto) orNoMemory(Work work) {
    return orNoMemory(work, [] {});
}

// A manager's empty registry, created at its start.
template <typename T>
std::unique_ptr<Registry<T>> newRegistry() {
    return std::unique_ptr<Registry<T>>(newOrNoMemory<Registry<T>>());
}

}  // namespace tidewell
