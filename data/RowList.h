#pragma once
// The rows a store hands to an owner-data list view. The row itself (TListItem) belongs to
// the list-view layer (platform/vcl/ListItem.h, which declares the same list); the stores
// only pass such lists on to the code that fills them (data_views).

#include <memory>
#include <vector>

class TListItem;

using TRowList = std::vector<std::unique_ptr<TListItem>>;
