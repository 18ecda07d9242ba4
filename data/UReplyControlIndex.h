#pragma once
// The replies of each question in chain order, so that the per-question operations of
// the reply store visit only that question's replies instead of walking the whole chain.
// The chain stays the one source of truth: the index holds references into it and is
// cleared and filled again whenever the chain is rebuilt.

#include <unordered_map>
#include <vector>

class TReply;

class TReplyIndex {
public:
    // Adds a reply that was appended to the chain, or the next reply of a chain indexed
    // from its start.
    void Add(TReply* reply);
    void Clear();
    // The replies of question `no`, in chain order.
    const std::vector<TReply*>& Of(int no) const;

private:
    // Question numbers below this (every number a category gives its questions) index a
    // vector, which a long reply file fills without a hash lookup per reply; any other
    // number goes to the map.
    static constexpr int DenseLimit = 1 << 16;
    std::vector<std::vector<TReply*>> dense_;
    std::unordered_map<int, std::vector<TReply*>> sparse_;
};
