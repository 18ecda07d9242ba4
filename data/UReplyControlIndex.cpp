#include "data/UReplyControlIndex.h"

#include "data/UReply.h"

void TReplyIndex::Add(TReply* reply)
{
    byNo_[reply->No].push_back(reply);
}

const std::vector<TReply*>& TReplyIndex::Of(int no) const
{
    static const std::vector<TReply*> none;
    const auto it = byNo_.find(no);
    return it == byNo_.end() ? none : it->second;
}
