#include "display/LinkedList.h"

#include "FailingAllocation.h"

#include <gtest/gtest.h>

#include <vector>

using tidewell::ErrorNoMemory;

namespace {

using List = tidewell::LinkedList<int*, bool>;
using Node = List::Node;

// Checks every invariant of the list and returns its values front to back.
std::vector<int*> checkedValues(const List& list) {
    std::vector<int*> values;
    const Node* previous = nullptr;
    for (const Node* node = list.getFirst(); node; node = node->getNext()) {
        EXPECT_EQ(node->getList(), &list);
        EXPECT_EQ(node->getPrevious(), previous);
        values.push_back(node->value);
        previous = node;
    }
    EXPECT_EQ(list.getLast(), previous);
    EXPECT_EQ(list.getCount(), values.size());
    return values;
}

void expectDetached(const Node* node) {
    EXPECT_EQ(node->getList(), nullptr);
    EXPECT_EQ(node->getPrevious(), nullptr);
    EXPECT_EQ(node->getNext(), nullptr);
}

class LinkedListTest : public ::testing::Test {
protected:
    int a = 1, b = 2, c = 3, d = 4;
    List list;
    List other;
};

TEST_F(LinkedListTest, AddsAtBothEndsAndAfterANode) {
    EXPECT_TRUE(checkedValues(list).empty());
    Node* nodeB = list.addFirst(&b, false);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&b}));
    list.addFirst(&a, true);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &b}));
    EXPECT_TRUE(list.getFirst()->key);
    Node* nodeD = list.addLast(&d, false);
    list.insertAfter(&c, false, nodeB);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &b, &c, &d}));
    // After the last node the new one becomes the last.
    list.insertAfter(&a, false, nodeD);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &b, &c, &d, &a}));
}

TEST_F(LinkedListTest, InsertAfterAForeignNodeAddsNothing) {
    Node* foreign = other.addFirst(&a, false);
    list.addFirst(&b, false);
    EXPECT_EQ(list.insertAfter(&c, false, foreign), nullptr);
    EXPECT_EQ(list.insertAfter(&c, false, nullptr), nullptr);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&b}));
    EXPECT_EQ(checkedValues(other), (std::vector<int*>{&a}));
}

TEST_F(LinkedListTest, RemoveUnlinksWithoutDeletingAndEndsFollow) {
    Node* nodeA = list.addLast(&a, false);
    Node* nodeB = list.addLast(&b, false);
    Node* nodeC = list.addLast(&c, false);
    list.remove(nodeB);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &c}));
    expectDetached(nodeB);
    list.remove(nodeA);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&c}));
    list.remove(nodeC);
    EXPECT_TRUE(checkedValues(list).empty());
    EXPECT_EQ(list.getFirst(), nullptr);
    // Removing again, or a node of no list, is harmless.
    list.remove(nodeC);
    list.remove(nullptr);
    EXPECT_TRUE(checkedValues(list).empty());
    delete nodeA;
    delete nodeB;
    delete nodeC;
}

TEST_F(LinkedListTest, RemovingANodeOfAnotherListChangesNeither) {
    list.addLast(&a, false);
    Node* foreign = other.addLast(&b, false);
    other.addLast(&c, false);
    list.remove(foreign);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a}));
    EXPECT_EQ(checkedValues(other), (std::vector<int*>{&b, &c}));
}

TEST_F(LinkedListTest, MoveToFrontTakesNodesFromAnyList) {
    list.addLast(&a, false);
    Node* nodeB = list.addLast(&b, false);
    Node* foreign = other.addLast(&c, false);
    list.moveToFront(nodeB);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&b, &a}));
    list.moveToFront(foreign);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&c, &b, &a}));
    EXPECT_TRUE(checkedValues(other).empty());
    other.moveToFront(nodeB);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&c, &a}));
    EXPECT_EQ(checkedValues(other), (std::vector<int*>{&b}));
}

TEST_F(LinkedListTest, MoveAfterRelinksAndKeepsTheEndsRight) {
    Node* nodeA = list.addLast(&a, false);
    Node* nodeB = list.addLast(&b, false);
    Node* nodeC = list.addLast(&c, false);
    // The last node moved forward: the one before it becomes the last.
    nodeA->moveAfter(nodeC);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &c, &b}));
    // The first node moved to the end.
    nodeB->moveAfter(nodeA);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&c, &b, &a}));
    // A node from another list joins this one.
    Node* foreign = other.addLast(&d, false);
    nodeC->moveAfter(foreign);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&c, &d, &b, &a}));
    EXPECT_TRUE(checkedValues(other).empty());
}

TEST_F(LinkedListTest, MoveAfterDoesNothingWithoutAPlaceToGo) {
    Node* nodeA = list.addLast(&a, false);
    Node* nodeB = list.addLast(&b, false);
    nodeA->moveAfter(nodeA);
    nodeA->moveAfter(nullptr);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &b}));
    Node loose(&c, false);
    loose.moveAfter(nodeB);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &b}));
    expectDetached(&loose);
}

TEST_F(LinkedListTest, DestroyingANodeUnlinksIt) {
    list.addLast(&a, false);
    Node* nodeB = list.addLast(&b, false);
    list.addLast(&c, false);
    delete nodeB;
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a, &c}));
    nodeB = list.getLast();
    nodeB->unlink();
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a}));
    delete nodeB;
}

TEST(LinkedListLifetime, DestroyingTheListLeavesTheValuesAlive) {
    struct Counted {
        int* destroyed;
        ~Counted() { ++*destroyed; }
    };
    int destroyed = 0;
    Counted first{&destroyed}, second{&destroyed};
    {
        tidewell::LinkedList<Counted*, unsigned long> list;
        list.addLast(&first, 1);
        list.addLast(&second, 2);
    }
    EXPECT_EQ(destroyed, 0);
}

TEST_F(LinkedListTest, AFailedAllocationThrowsAndLeavesTheListAlone) {
    Node* nodeA = list.addLast(&a, false);
    failNextNothrowAllocation();
    EXPECT_THROW(list.addFirst(&b, false), ErrorNoMemory);
    failNextNothrowAllocation();
    EXPECT_THROW(list.addLast(&b, false), ErrorNoMemory);
    failNextNothrowAllocation();
    EXPECT_THROW(list.insertAfter(&b, false, nodeA), ErrorNoMemory);
    EXPECT_EQ(checkedValues(list), (std::vector<int*>{&a}));
}

} // namespace
