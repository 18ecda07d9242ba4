#pragma once
// The eight columns of UnitHistory.cds, each looked up by name once per dataset, so that
// loading a long history pays no name search per record.

#include "platform/datetime/DateTime.h"

#include <QString>

class TClientDataSet;
class TField;

// One row of UnitHistory.cds.
struct TUnitHistoryRow {
    int Count = 0;
    int No = 0;
    QString SubCategory;
    TDateTime TestDate = 0.0;
    TDateTime Average = 0.0;
    int TestCount = 0;
    int AnswerCount = 0;
    int ClearCount = 0;
};

class TUnitHistoryFields {
public:
    // Raises EDataSetError naming the first column the dataset lacks.
    explicit TUnitHistoryFields(TClientDataSet& dataSet);

    // The current record, read in the order of the members of TUnitHistoryRow.
    TUnitHistoryRow Read() const;

private:
    TField& count_;
    TField& no_;
    TField& subCategory_;
    TField& testDate_;
    TField& average_;
    TField& testCount_;
    TField& answerCount_;
    TField& clearCount_;
};
