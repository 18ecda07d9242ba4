#pragma once
// The field definitions of a dataset, in field order.

#include "platform/dataset/FieldDef.h"

#include <vector>

class TFieldDefs {
public:
    void Add(const QString& name, TFieldType type, int size = 0);
    void Clear() { defs_.clear(); }
    int Count() const { return static_cast<int>(defs_.size()); }
    const TFieldDef& operator[](int index) const { return defs_.at(static_cast<std::size_t>(index)); }
    TFieldDef& operator[](int index) { return defs_.at(static_cast<std::size_t>(index)); }
    // The index of the field of that name, compared without regard to case; -1 if none.
    int IndexOf(const QString& name) const;
    void Append(TFieldDef def) { defs_.push_back(std::move(def)); }

private:
    std::vector<TFieldDef> defs_;
};
