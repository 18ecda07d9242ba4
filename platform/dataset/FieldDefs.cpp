#include "platform/dataset/FieldDefs.h"

void TFieldDefs::Add(const QString& name, TFieldType type, int size)
{
    TFieldDef def;
    def.Name = name;
    def.DataType = type;
    def.Size = size;
    defs_.push_back(std::move(def));
}

int TFieldDefs::IndexOf(const QString& name) const
{
    for (std::size_t i = 0; i < defs_.size(); ++i)
        if (defs_[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}
