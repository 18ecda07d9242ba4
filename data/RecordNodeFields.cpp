#include "data/RecordNodeFields.h"

#include "platform/dataset/ClientDataSet.h"

TRecordNodeFields::TRecordNodeFields(TClientDataSet& dataSet)
    : data_(dataSet.FieldByName(QStringLiteral("DATA"))),
      no_(dataSet.FieldByName(QStringLiteral("NO"))),
      type_(dataSet.FieldByName(QStringLiteral("TYPE")))
{
}

TRecordNodeRow TRecordNodeFields::Read() const
{
    TRecordNodeRow row;
    row.Data = data_.AsString();
    row.No = no_.AsInteger();
    row.Type = type_.AsInteger();
    return row;
}
