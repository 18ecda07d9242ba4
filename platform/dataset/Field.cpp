#include "platform/dataset/Field.h"

#include "platform/dataset/ClientDataSet.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/FieldValue.h"

#include <limits>

TField::TField(TClientDataSet& owner, int index) : owner_(owner), index_(index), def_(owner.data_.Fields[index]) {}

QString TField::FieldName() const { return def_.Name; }
TFieldType TField::DataType() const { return def_.DataType; }
int TField::Size() const { return def_.Size; }

template <class F>
auto TField::Read(F read, decltype(read(std::declval<const TFieldValue&>())) null) const
{
    const int record = owner_.ReadRecord();
    if (record < 0)
        return null;
    const TFieldValue value{owner_.data_.Records, def_, record, index_, owner_.codePage_};
    return value.IsNull() ? null : read(value);
}

TFieldValue TField::Writable()
{
    const int record = owner_.WriteRecord();
    return TFieldValue{owner_.data_.Records, def_, record, index_, owner_.codePage_};
}

bool TField::IsNull() const
{
    return Read([](const TFieldValue& v) { return v.IsNull(); }, true);
}

int TField::AsInteger() const
{
    const std::int64_t v = Read([](const TFieldValue& f) { return f.AsLargeInt(); }, std::int64_t{0});
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw EDataSetError(QStringLiteral("Value %1 of field '%2' is out of the integer range").arg(v).arg(FieldName()));
    return static_cast<int>(v);
}

double TField::AsDateTime() const
{
    return Read([](const TFieldValue& f) { return f.AsNumber(); }, 0.0);
}

QString TField::AsString() const
{
    return Read([](const TFieldValue& f) { return f.AsText(); }, QString());
}

bool TField::AsBoolean() const
{
    return Read([](const TFieldValue& f) { return f.AsBool(); }, false);
}

void TField::SetAsInteger(int value) { Writable().SetLargeInt(value); }
void TField::SetAsDateTime(double value) { Writable().SetNumber(value); }
void TField::SetAsString(const QString& value) { Writable().SetText(value); }
void TField::SetAsBoolean(bool value) { Writable().SetBool(value); }
void TField::Clear() { Writable().Clear(); }
