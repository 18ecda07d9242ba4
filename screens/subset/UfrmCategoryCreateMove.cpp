// The subset editor's moves of rows: between the lists with the buttons, double-clicks
// and drag and drop, within the right list with up and down and by dropping. Rows change
// lists, never their content.
#include "screens/subset/UfrmCategoryCreate.h"

#include "data_views/UConstDisplay.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/ListView.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Takes the rows at the selected positions (ascending) out of rows, in that order.
TRowList TakeRows(TRowList& rows, const std::vector<int>& selected)
{
    TRowList taken;
    taken.reserve(selected.size());
    for (int index : selected)
        taken.push_back(std::move(rows[static_cast<std::size_t>(index)]));
    std::erase_if(rows, [](const std::unique_ptr<TListItem>& row) { return !row; });
    return taken;
}

void Append(TRowList& to, TRowList& rows)
{
    to.insert(to.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    rows.clear();
}

// The rows in their new order when the selected ones are dropped before row `drop` of
// the same list (at the end for -1): every other row keeps its place.
TRowList DroppedWithin(TRowList& rows, const std::vector<int>& selected, int drop)
{
    std::vector<bool> isSelected(rows.size(), false);
    for (int index : selected)
        isSelected[static_cast<std::size_t>(index)] = true;
    TRowList moved;
    for (int index : selected)
        moved.push_back(std::move(rows[static_cast<std::size_t>(index)]));
    TRowList result;
    result.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (static_cast<int>(i) == drop)
            Append(result, moved);
        if (!isSelected[i])
            result.push_back(std::move(rows[i]));
    }
    Append(result, moved);
    return result;
}

} // namespace

TRowList& TfrmCategoryCreateControl::RowsOf(const TListView& listView)
{
    return &listView == frmCategoryCreate->lvSubCategory ? RightRows : LeftRows;
}

void TfrmCategoryCreateControl::btnRightClick()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    const TListUpdate updateA(*form.lvAnswerUnit);
    const TListUpdate updateB(*form.lvSubCategory);
    TRowList moved = TakeRows(LeftRows, form.lvAnswerUnit->SelectedIndices());
    Append(RightRows, moved);
    ShowRowCounts();
}

void TfrmCategoryCreateControl::btnLeftClick()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    const TListUpdate updateA(*form.lvAnswerUnit);
    const TListUpdate updateB(*form.lvSubCategory);
    TRowList moved = TakeRows(RightRows, form.lvSubCategory->SelectedIndices());
    Append(LeftRows, moved);
    ShowRowCounts();
}

void TfrmCategoryCreateControl::btnRightAllClick()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    const TListUpdate updateA(*form.lvAnswerUnit);
    const TListUpdate updateB(*form.lvSubCategory);
    Append(RightRows, LeftRows);
    ShowRowCounts();
}

void TfrmCategoryCreateControl::btnLeftAllClick()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    const TListUpdate updateA(*form.lvAnswerUnit);
    const TListUpdate updateB(*form.lvSubCategory);
    Append(LeftRows, RightRows);
    ShowRowCounts();
}

void TfrmCategoryCreateControl::lvAnswerUnitDblClick()
{
    btnRightClick();
}

void TfrmCategoryCreateControl::lvSubCategoryDblClick()
{
    btnLeftClick();
}

void TfrmCategoryCreateControl::btnUpDownClick(TButton& sender)
{
    TListView& list = *frmCategoryCreate->lvSubCategory;
    if (list.SelCount() != 1)
        return;
    const int index = list.ItemIndex();
    list.SetItemFocused(index, false);
    list.SetItemSelected(index, false);
    const int target = std::clamp(index + sender.Tag(), 0, static_cast<int>(RightRows.size()) - 1);
    std::unique_ptr<TListItem> row = std::move(RightRows[static_cast<std::size_t>(index)]);
    RightRows.erase(RightRows.begin() + index);
    RightRows.insert(RightRows.begin() + target, std::move(row));
    list.Invalidate();
    list.SetItemIndex(target);
    list.SetItemFocused(target);
    list.MakeVisible(target);
    list.setFocus();
}

void TfrmCategoryCreateControl::lvDragOver(TListView&, TListView&, int, int, bool& accept)
{
    accept = true;
}

void TfrmCategoryCreateControl::lvDragDrop(TListView& sender, TListView& source, int x, int y)
{
    const TListUpdate updateA(sender);
    const TListUpdate updateB(source);
    TRowList& from = RowsOf(source);
    TRowList& to = RowsOf(sender);
    const int drop = sender.ItemAt(x, y);
    const std::vector<int> selected = source.SelectedIndices();
    if (&from == &to) {
        to = DroppedWithin(to, selected, drop);
    } else {
        TRowList moved = TakeRows(from, selected);
        const auto at = drop < 0 ? to.end() : to.begin() + drop;
        to.insert(at, std::make_move_iterator(moved.begin()), std::make_move_iterator(moved.end()));
    }
    ShowRowCounts();
}
