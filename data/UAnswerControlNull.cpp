// The answer store of no category.
#include "data/UAnswerControl.h"

TAnswerControlNull::TAnswerControlNull(const QString& folder)
    : TAnswerControl(folder, TNoAnswers{})
{
}

void TAnswerControlNull::DescribeError(const std::exception&, const QString&, QString&) const {}
void TAnswerControlNull::SetupColumns(TListView&) {}
void TAnswerControlNull::Show(int, QWidget*) {}
void TAnswerControlNull::FillListView(const TStringList&, TListView&, TRowList&) {}
void TAnswerControlNull::FillAllListView(TListView&) {}
void TAnswerControlNull::SaveColumnWidths(TListView&) {}

int TAnswerControlNull::CountFinished(const TStringList&)
{
    return 0;
}
