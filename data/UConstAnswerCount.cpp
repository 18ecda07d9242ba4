// The question count of a category: the rows of its Answer.cds.
#include "data/UConst.h"

#include "platform/dataset/ClientDataSet.h"

int GetAnswerRecordCount(const QString& folder)
{
    const QString path = ResolvePath(folder + QStringLiteral("Answer.cds"));
    if (!FileExists(path))
        return 0;
    TClientDataSet answers;
    answers.LoadFromFile(path);
    answers.Open();
    const int count = answers.RecordCount();
    answers.Close();
    return count;
}
