#pragma once
// The nine columns of Reply.cds, each looked up by name once per dataset, so that loading
// a long reply file pays no name search per record.

class TClientDataSet;
class TField;

struct TReplyFields {
    // Raises EDataSetError naming the first column the dataset lacks.
    explicit TReplyFields(TClientDataSet& dataSet);

    TClientDataSet& DataSet;
    TField& No;
    TField& Type;
    TField& State;
    TField& ReplyStart;
    TField& StartTime;
    TField& EndTime;
    TField& Data;
    TField& Clear;
    TField& Answer;
};
