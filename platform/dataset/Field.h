#pragma once
// A field of a client dataset, read and written on the dataset's current record: as
// integer, date-time (days since 1899-12-30), string or Boolean. A NULL reads as 0, 0.0,
// "" or false; with no current record every field reads as NULL. Writing needs the dataset
// in edit or insert mode. A TField stays valid while the dataset keeps its structure (until
// the next CreateDataSet, LoadFromFile, Open or Close).

#include "platform/dataset/FieldType.h"

#include <QString>

class TClientDataSet;
struct TFieldDef;
struct TFieldValue;

class TField {
public:
    TField(TClientDataSet& owner, int index);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    QString FieldName() const;
    TFieldType DataType() const;
    int Size() const;
    int Index() const { return index_; }

    bool IsNull() const;
    int AsInteger() const;
    double AsDateTime() const;
    QString AsString() const;
    bool AsBoolean() const;

    void SetAsInteger(int value);
    void SetAsDateTime(double value);
    void SetAsString(const QString& value);
    void SetAsBoolean(bool value);
    void Clear(); // sets NULL

private:
    template <class F>
    auto Read(F read, decltype(read(std::declval<const TFieldValue&>())) null) const;
    TFieldValue Writable();

    TClientDataSet& owner_;
    int index_;
    const TFieldDef& def_; // the dataset's definition of the field, which outlives the field
};
