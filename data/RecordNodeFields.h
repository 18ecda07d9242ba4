#pragma once
// The columns question and answer records are read from (NO, TYPE and DATA), each looked
// up by name once per dataset, so that a loader pays no name search per record.

#include <QString>

class TClientDataSet;
class TField;

// One row of Question.cds or Answer.cds.
struct TRecordNodeRow {
    int No = 0;
    int Type = 0;
    QString Data;
};

class TRecordNodeFields {
public:
    // Raises EDataSetError naming the first of DATA, NO and TYPE the dataset lacks.
    explicit TRecordNodeFields(TClientDataSet& dataSet);

    // The current record; DATA is read first, then NO, then TYPE.
    TRecordNodeRow Read() const;

private:
    TField& data_;
    TField& no_;
    TField& type_;
};
