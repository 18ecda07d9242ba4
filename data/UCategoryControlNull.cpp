// The category store of no categories.
#include "data/UCategoryControl.h"

TCategoryControlNull::TCategoryControlNull() : TCategoryControl(TNoChain{}) {}

void TCategoryControlNull::FillListView(TListView&) {}
void TCategoryControlNull::SetupColumns(TListView&) {}
void TCategoryControlNull::SaveColumnWidths(TListView&) {}
void TCategoryControlNull::FillCheckList(TListView&) {}
void TCategoryControlNull::ShowAll() {}
void TCategoryControlNull::SaveVisibility() {}
void TCategoryControlNull::ReadChecks(TListView&) {}
