#include "data/UReplyControlIndex.h"

#include "data/UReply.h"

void TReplyIndex::Add(TReply* reply)
{
    const int no = reply->No;
    if (no < 0 || no >= DenseLimit) {
        sparse_[no].push_back(reply);
        return;
    }
    const auto at = static_cast<std::size_t>(no);
    if (at >= dense_.size())
        dense_.resize(at + 1);
    dense_[at].push_back(reply);
}

void TReplyIndex::Clear()
{
    dense_.clear();
    sparse_.clear();
}

const std::vector<TReply*>& TReplyIndex::Of(int no) const
{
    static const std::vector<TReply*> none;
    if (no >= 0 && static_cast<std::size_t>(no) < dense_.size())
        return dense_[static_cast<std::size_t>(no)];
    const auto it = sparse_.find(no);
    return it == sparse_.end() ? none : it->second;
}
