// The history store of no folder.
#include "data/UUnitHistoryControl.h"

TUnitHistoryControlNull::TUnitHistoryControlNull(const QString& folder)
    : TUnitHistoryControl(folder, TNoFile{})
{
}

void TUnitHistoryControlNull::EnsureDataFile() {}
void TUnitHistoryControlNull::FillListView(int, int, const QString&, TListView&, TRowList&) {}
void TUnitHistoryControlNull::ShowChart(int, int, const QString&, TChart&) {}
void TUnitHistoryControlNull::AddRecord(int, int, const QString&, TDateTime, TDateTime, int, int,
                                        int)
{
}
void TUnitHistoryControlNull::GetStatistics(int, int, const QString&, TStringList&) {}
void TUnitHistoryControlNull::SetupColumns(TListView&) {}
void TUnitHistoryControlNull::SetupChart(int, TChart&) {}
void TUnitHistoryControlNull::SaveColumnWidths(TListView&) {}
void TUnitHistoryControlNull::SavePending() {}
void TUnitHistoryControlNull::DeleteRecords(int, int, const QString&) {}
void TUnitHistoryControlNull::ClearAll() {}
