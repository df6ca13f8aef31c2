#pragma once

#include "core/ErrorNoMemory.h"
#include "display/LinkedListNode.h"

#include <cstdint>
#include <new>

namespace tidewell {

// The engine's one container: a doubly linked list that owns its nodes but not
// the objects their values point to. Iterate with getFirst()/getNext() (or
// getLast()/getPrevious()), reading the next node before acting on the current
// one whenever the current one may go away.
template <typename T, typename K>
class LinkedList {
public:
    using Node = LinkedListNode<T, K>;

    LinkedList() = default;
    // Destroys every node, first to last; the values are left alone.
    virtual ~LinkedList() {
        while (first) delete first; // each node unlinks itself, so first moves on
    }

    // Nodes point back at their list, so a list cannot be copied or moved.
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;

    Node* getFirst() const { return first; }
    Node* getLast() const { return last; }
    std::uint32_t getCount() const { return count; }

    // Each add allocates a node and throws ErrorNoMemory, with the list
    // unchanged, when it cannot.
    Node* addFirst(T value, K key) {
        Node* node = allocate(value, key);
        linkFirst(node);
        return node;
    }

    Node* addLast(T value, K key) {
        Node* node = allocate(value, key);
        if (last) linkAfter(last, node);
        else linkFirst(node);
        return node;
    }

    // Links a new node right after `after`. When `after` is not a node of this
    // list there is no place to put it: nothing is allocated and null comes back.
    Node* insertAfter(T value, K key, Node* after) {
        if (!after || after->owner != this) return nullptr;
        Node* node = allocate(value, key);
        linkAfter(after, node);
        return node;
    }

    // Unlinks a node of this list without deleting it; a node of another list
    // (or of none) is left where it is.
    void remove(Node* node) {
        if (!node || node->owner != this) return;
        if (node->previous) node->previous->next = node->next;
        else first = node->next;
        if (node->next) node->next->previous = node->previous;
        else last = node->previous;
        node->owner = nullptr;
        node->previous = nullptr;
        node->next = nullptr;
        --count;
    }

    // Takes the node out of the list it is in, if any, and makes it this list's first.
    void moveToFront(Node* node) {
        if (!node) return;
        node->unlink();
        linkFirst(node);
    }

private:
    friend class LinkedListNode<T, K>;

    static Node* allocate(T value, K key) {
        Node* node = new (std::nothrow) Node(value, key);
        if (!node) throw ErrorNoMemory();
        return node;
    }

    // Both expect a node that is in no list.
    void linkFirst(Node* node) {
        node->owner = this;
        node->previous = nullptr;
        node->next = first;
        if (first) first->previous = node;
        else last = node;
        first = node;
        ++count;
    }

    void linkAfter(Node* after, Node* node) {
        node->owner = this;
        node->previous = after;
        node->next = after->next;
        if (after->next) after->next->previous = node;
        else last = node;
        after->next = node;
        ++count;
    }

    Node* first = nullptr;
    Node* last = nullptr;
    std::uint32_t count = 0;
};

} // namespace tidewell
