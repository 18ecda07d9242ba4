#pragma once
// What the subset screens tell the user about a subset name that cannot be used, in
// Japanese (the screens call subsets "カテゴリー").

#include "data/USubCategoryFiles.h"

#include <QString>

// The reason a name with this fault is refused; empty for None and for Blank, which
// needs no words.
QString SubsetNameFaultText(TSubsetNameFault fault);

// The message of the name dialog for a name already taken.
extern const QString SubsetNameTakenText;
