#pragma once
// Chains of records: nodes linked through an owning `Next` (std::unique_ptr), ended by a
// Null node. A chain operation acts for one node and returns the node the call passes on
// to (nullptr where the call ends); WalkChain runs it along the chain in a loop and
// FreeChain frees a chain in a loop, so that no call depth grows with its length.

#include <memory>

// Runs a chain operation from head on: op(node) does the node's part and returns the node
// the call passes on to, nullptr at the end.
template <class Node, class Op>
void WalkChain(Node* head, Op op)
{
    for (Node* node = head; node;)
        node = op(*node);
}

// Frees the chain that next owns, each node after its successor has been taken from it;
// for the destructor of a node.
template <class Node>
void FreeChain(std::unique_ptr<Node>& next) noexcept
{
    std::unique_ptr<Node> rest = std::move(next);
    while (rest)
        rest = std::move(rest->Next);
}
