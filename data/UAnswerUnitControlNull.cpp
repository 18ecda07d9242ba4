// The unit store of no category.
#include "data/UAnswerUnitControl.h"

void TAnswerUnitControlNull::FillListView(int, TListView&, TRowList&) {}
void TAnswerUnitControlNull::ShowUnitQuestions(int, int, TListView&, TRowList&) {}
void TAnswerUnitControlNull::SetupColumns(TListView&) {}
void TAnswerUnitControlNull::SaveColumnWidths(TListView&) {}
