#pragma once
// Reading and writing one field of one record as integer, number, date-time, text or
// Boolean, with the conversions between the stored forms and the program's values. A NULL
// reads as 0, 0.0, "" or false. Conversions that make no sense raise EDataSetError naming
// the field.

#include "platform/dataset/DateTimeCodec.h"
#include "platform/dataset/FieldDef.h"
#include "platform/dataset/RecordStore.h"

#include <QString>
#include <cstdint>

struct TFieldValue {
    TRecordStore& Store;
    const TFieldDef& Def;
    int Record;
    int Field;
    int CodePage;

    bool IsNull() const { return Store.IsNull(Record, Field); }
    bool IsText() const; // strings and text memos: compared as text

    // The common stored forms are read here, inline: integers, timestamps and Booleans
    // are most of what the record readers of a long file ask for.
    std::int64_t AsLargeInt() const
    {
        if (IsNull())
            return 0;
        if (Def.Codec == TValueCodec::SignedInt || Def.Codec == TValueCodec::UnsignedInt)
            return Store.Int(Record, Field);
        return ConvertToLargeInt();
    }
    double AsNumber() const // integers, Booleans as 0/1, floats, date-times in days
    {
        if (IsNull())
            return 0.0;
        if (Def.Codec == TValueCodec::Timestamp)
            return DateTimeCodec::FromStored(Store.Float(Record, Field));
        return ConvertToNumber();
    }
    QString AsText() const;
    bool AsBool() const
    {
        if (IsNull())
            return false;
        if (Def.Codec == TValueCodec::Boolean)
            return Store.Int(Record, Field) != 0;
        return ConvertToBool();
    }

    void Clear() const { Store.SetNull(Record, Field); }
    void SetLargeInt(std::int64_t v) const;
    void SetNumber(double v) const;
    void SetText(const QString& v) const;
    void SetBool(bool v) const;

    [[noreturn]] void Refuse(const char* as) const;

private:
    // The other stored forms of a value that is not NULL.
    std::int64_t ConvertToLargeInt() const;
    double ConvertToNumber() const;
    bool ConvertToBool() const;
};
