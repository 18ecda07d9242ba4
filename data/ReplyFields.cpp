#include "data/ReplyFields.h"

#include "platform/dataset/ClientDataSet.h"

TReplyFields::TReplyFields(TClientDataSet& dataSet)
    : DataSet(dataSet),
      No(dataSet.FieldByName(QStringLiteral("NO"))),
      Type(dataSet.FieldByName(QStringLiteral("TYPE"))),
      State(dataSet.FieldByName(QStringLiteral("STATE"))),
      ReplyStart(dataSet.FieldByName(QStringLiteral("REPLYSTART"))),
      StartTime(dataSet.FieldByName(QStringLiteral("STARTTIME"))),
      EndTime(dataSet.FieldByName(QStringLiteral("ENDTIME"))),
      Data(dataSet.FieldByName(QStringLiteral("DATA"))),
      Clear(dataSet.FieldByName(QStringLiteral("CLEAR"))),
      Answer(dataSet.FieldByName(QStringLiteral("ANSWER")))
{
}
