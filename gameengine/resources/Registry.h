#pragma once

#include <cstddef>
#include <memory>

#include "core/ErrorGeneric.h"
#include "display/LinkedList.h"

namespace tidewell {

// Shares objects by some identity (usually a file name) and counts who holds
// them. Every manager keeps its shared objects in one of these: the list's key
// is the object's reference count, and the registry owns the objects it lists,
// deleting each when its last holder releases it or when the registry is
// cleared or destroyed.
template <typename T>
class Registry {
public:
    using List = LinkedList<T*, unsigned long>;
    using Node = LinkedListNode<T*, unsigned long>;

    Registry() = default;
    ~Registry() { clear(); }

    // The list's nodes point back at it, and the registry owns what it lists.
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // The first listed object for which matches(const T&) holds, with one more
    // holder; otherwise create()'s object, listed with one holder. When create()
    // throws nothing is listed; when the node for a new object cannot be had the
    // object is deleted and ErrorNoMemory goes on. A null from create() is
    // handed back without being listed.
    template <typename Match, typename Create>
    T* retain(Match matches, Create create) {
        if (Node* node = findNode(matches)) {
            ++node->key;
            return node->value;
        }
        std::unique_ptr<T> created(create());
        if (!created) return nullptr;
        entries.addFirst(created.get(), 1);
        return created.release();
    }

    // The first listed object for which matches(const T&) holds, or null; the
    // count is not touched.
    template <typename Match>
    T* find(Match matches) const {
        Node* node = findNode(matches);
        return node ? node->value : nullptr;
    }

    // One more holder for an object the caller already has; false if it is not listed.
    bool retainExisting(const T* object) {
        Node* node = nodeOf(object);
        if (!node) return false;
        ++node->key;
        return true;
    }

    // One holder fewer; the last one deletes the object. False if it is not listed.
    bool release(const T* object) {
        Node* node = nodeOf(object);
        if (!node) return false;
        if (node->key > 1) {
            --node->key;
            return true;
        }
        forget(node);
        return true;
    }

    // How many hold the object; 0 when it is not listed.
    unsigned long count(const T* object) const {
        Node* node = nodeOf(object);
        return node ? node->key : 0;
    }

    std::size_t size() const { return entries.getCount(); }

    // Calls action(T&) on every listed object, first to last.
    template <typename Action>
    void forEach(Action action) const {
        for (Node* node = entries.getFirst(); node; node = node->getNext()) action(*node->value);
    }

    // Deletes every listed object whatever its count: a manager's stop.
    void clear() {
        while (Node* node = entries.getFirst()) forget(node);
    }

    List& list() { return entries; }

private:
    template <typename Match>
    Node* findNode(Match& matches) const {
        for (Node* node = entries.getFirst(); node; node = node->getNext()) {
            if (matches(static_cast<const T&>(*node->value))) return node;
        }
        return nullptr;
    }

    Node* nodeOf(const T* object) const {
        if (!object) return nullptr;
        for (Node* node = entries.getFirst(); node; node = node->getNext()) {
            if (node->value == object) return node;
        }
        return nullptr;
    }

    // The node leaves the list before the object is deleted, so an object whose
    // destructor releases other objects of this registry finds the list consistent.
    void forget(Node* node) {
        T* object = node->value;
        delete node;
        delete object;
    }

    List entries;
};

// What every manager does with the registry it holds: it makes it at start() and drops it
// at stop(), so a null registry is a stopped manager.

// The manager's registry, starting the manager first when it is stopped; the call site's
// ErrorGeneric when it still has none.
template <typename T>
Registry<T>& startedRegistry(std::unique_ptr<Registry<T>>& registry, void (*start)(), const char* module, int line) {
    if (!registry) start();
    if (!registry) throw ErrorGeneric(module, line, 0);
    return *registry;
}

// What becomes of an object given back to a running manager that does not list it.
enum class Unlisted { LeftAlone, Deleted };

// One holder fewer for an object given back to its manager. After the manager's stop()
// there is nothing left to do: stop() deleted every listed object, this one with them, so
// a holder that outlives its manager (a sprite kept as a member, a cached prototype, one
// on a test's stack) gives back what it held without deleting it a second time.
template <typename T>
void releaseListed(const std::unique_ptr<Registry<T>>& registry, T* object, Unlisted unlisted) {
    if (!object || !registry) return;
    if (!registry->release(object) && unlisted == Unlisted::Deleted) delete object;
}

// One more holder for an object the caller already has; unlisted ones are left alone.
template <typename T>
T* retainListed(const std::unique_ptr<Registry<T>>& registry, T* object) {
    if (registry) registry->retainExisting(object);
    return object;
}

// How many hold the object; 0 when it is not listed or the manager is stopped.
template <typename T>
unsigned long listedCount(const std::unique_ptr<Registry<T>>& registry, const T* object) {
    return registry ? registry->count(object) : 0;
}

// Calls action(T&) on every listed object; nothing while the manager is stopped.
template <typename T, typename Action>
void forEachListed(const std::unique_ptr<Registry<T>>& registry, Action action) {
    if (registry) registry->forEach(action);
}

// The reference a look-up handed out, given back however the caller leaves: an object made
// on the resource takes a reference of its own.
template <typename T>
class ReferenceLoan {
public:
    using Release = void (*)(T*);

    ReferenceLoan(T* object, Release release) : object_(object), release_(release) {}
    ~ReferenceLoan() { release_(object_); }
    ReferenceLoan(const ReferenceLoan&) = delete;
    ReferenceLoan& operator=(const ReferenceLoan&) = delete;

private:
    T* object_;
    Release release_;
};

}  // namespace tidewell
