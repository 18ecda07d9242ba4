#pragma once
// Reading and writing one field of one record as integer, number, date-time, text or
// Boolean, with the conversions between the stored forms and the program's values. A NULL
// reads as 0, 0.0, "" or false. Conversions that make no sense raise EDataSetError naming
// the field.

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

    std::int64_t AsLargeInt() const;
    double AsNumber() const; // integers, Booleans as 0/1, floats, date-times in days
    QString AsText() const;
    bool AsBool() const;

    void Clear() const { Store.SetNull(Record, Field); }
    void SetLargeInt(std::int64_t v) const;
    void SetNumber(double v) const;
    void SetText(const QString& v) const;
    void SetBool(bool v) const;

    [[noreturn]] void Refuse(const char* as) const;
};
