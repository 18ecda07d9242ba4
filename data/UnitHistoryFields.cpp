#include "data/UnitHistoryFields.h"

#include "platform/dataset/ClientDataSet.h"

TUnitHistoryFields::TUnitHistoryFields(TClientDataSet& dataSet)
    : count_(dataSet.FieldByName(QStringLiteral("COUNT"))),
      no_(dataSet.FieldByName(QStringLiteral("NO"))),
      subCategory_(dataSet.FieldByName(QStringLiteral("SUBCATEGORY"))),
      testDate_(dataSet.FieldByName(QStringLiteral("TESTDATE"))),
      average_(dataSet.FieldByName(QStringLiteral("AVERAGE"))),
      testCount_(dataSet.FieldByName(QStringLiteral("TESTCOUNT"))),
      answerCount_(dataSet.FieldByName(QStringLiteral("ANSWERCOUNT"))),
      clearCount_(dataSet.FieldByName(QStringLiteral("CLEARCOUNT")))
{
}

TUnitHistoryRow TUnitHistoryFields::Read() const
{
    TUnitHistoryRow row;
    row.Count = count_.AsInteger();
    row.No = no_.AsInteger();
    row.SubCategory = subCategory_.AsString();
    row.TestDate = testDate_.AsDateTime();
    row.Average = average_.AsDateTime();
    row.TestCount = testCount_.AsInteger();
    row.AnswerCount = answerCount_.AsInteger();
    row.ClearCount = clearCount_.AsInteger();
    return row;
}
