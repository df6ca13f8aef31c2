#pragma once

namespace tidewell {

template <typename T, typename K> class LinkedList;

// One entry of a LinkedList: a value (a pointer to an engine object the list does
// not own) and a key (false in child lists, the reference count in registries).
// The links are private so that only the list can change them; a node is in at
// most one list at a time.
template <typename T, typename K>
class LinkedListNode {
public:
    LinkedListNode(T value, K key) noexcept : value(value), key(key) {}
    // A node that goes away takes itself out of its list, so no list ever holds
    // a dangling node.
    virtual ~LinkedListNode() { unlink(); }

    LinkedListNode(const LinkedListNode&) = delete;
    LinkedListNode& operator=(const LinkedListNode&) = delete;

    // The list this node is in; null while it is in none.
    LinkedList<T, K>* getList() const { return owner; }
    // Null at the ends.
    LinkedListNode* getPrevious() const { return previous; }
    LinkedListNode* getNext() const { return next; }

    // Takes this node out of its list, if it is in one.
    void unlink() {
        if (owner) owner->remove(this);
    }

    // Takes `node` out of whatever list holds it and links it right after this
    // node, in this node's list. Nothing happens when this node is in no list or
    // `node` is null or this node.
    void moveAfter(LinkedListNode* node) {
        if (!owner || !node || node == this) return;
        node->unlink();
        owner->linkAfter(this, node);
    }

    T value;
    K key;

private:
    friend class LinkedList<T, K>;

    LinkedList<T, K>* owner = nullptr;
    LinkedListNode* previous = nullptr;
    LinkedListNode* next = nullptr;
};

} // namespace tidewell

// The node's operations call into the list, so whoever includes one gets both.
#include "display/LinkedList.h"
