// The store of no folder.
#include "data/UReplyControl.h"

TReplyControlNull::TReplyControlNull(const QString& folder) : TReplyControl(folder, TNoFile{}) {}

void TReplyControlNull::EnsureDataFile() {}
void TReplyControlNull::SavePending() {}
void TReplyControlNull::GetCurrentInfo(TStringList&) {}
void TReplyControlNull::GetStatistics(int, TStringList&) {}
TReplyTotals TReplyControlNull::GetTotals(int) { return {}; }
void TReplyControlNull::FillListView(int, TListView&, TRowList&) {}
void TReplyControlNull::ShowChart(int, TChart&) {}
int TReplyControlNull::FirstUnjudged() { return 0; }
int TReplyControlNull::NextUnjudged() { return 0; }
int TReplyControlNull::PriorUnjudged() { return 0; }
void TReplyControlNull::AddRecord(int, int, TDateTime, TDateTime, TDateTime, const QString&) {}
void TReplyControlNull::SetupColumns(TListView&) {}
void TReplyControlNull::SetupChart(TChart&) {}
void TReplyControlNull::SaveColumnWidths(TListView&) {}
void TReplyControlNull::ShowCurrentData(QWidget*) {}
void TReplyControlNull::JudgeCurrent(bool, TDateTime) {}
TDateTime TReplyControlNull::GetCurrentTotalTime() { return Now(); }
int TReplyControlNull::CountClearedInList() { return 0; }
int TReplyControlNull::CountCorrectInList() { return 0; }
int TReplyControlNull::CountTests(int) { return 0; }
void TReplyControlNull::DeleteRecords(const TStringList&) {}
void TReplyControlNull::ClearAll() {}
