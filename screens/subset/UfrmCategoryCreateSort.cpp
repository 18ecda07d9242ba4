// The subset editor's sorting: a click on a column header sorts that list by the column,
// ascending, and the next click on the same column descending.
#include "screens/subset/UfrmCategoryCreate.h"

#include "platform/text/Convert.h"
#include "platform/text/Trim.h"
#include "platform/vcl/ListView.h"

#include <algorithm>

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

template <class T>
int Order(T a, T b)
{
    return (b < a) - (a < b);
}

// The text a row shows in the sort column, rates made numbers: "50%" gives 50 and "- %"
// (never tested) gives -1.
QString SortText(const TListItem& row)
{
    if (SortColumn <= 0)
        return Trim(row.Caption);
    const qsizetype sub = SortColumn - 1;
    QString text = sub < row.SubItems.size() ? Trim(row.SubItems[sub]) : QString();
    if (const qsizetype at = text.indexOf(QStringLiteral("- %")); at >= 0)
        text.replace(at, 3, QStringLiteral("-1"));
    if (const qsizetype at = text.indexOf(u'%'); at >= 0)
        text.remove(at, 1);
    return text;
}

// Whole numbers by value before other texts, which go by their character codes: one
// order for any mix of texts, as sorting needs.
int CompareTexts(const QString& a, const QString& b)
{
    int numberA = 0;
    int numberB = 0;
    const bool isNumberA = TryStrToInt(a, numberA);
    const bool isNumberB = TryStrToInt(b, numberB);
    if (isNumberA && isNumberB)
        return Order(numberA, numberB);
    if (isNumberA != isNumberB)
        return isNumberA ? -1 : 1;
    return Sign(a.compare(b));
}

int RowNumber(const TListItem& row)
{
    return StrToIntDef(Trim(row.Caption), 0);
}

} // namespace

int CompareQuestionRows(const TListItem& a, const TListItem& b)
{
    int result = CompareTexts(SortText(a), SortText(b));
    if (!SortAscending)
        result = -result;
    if (result == 0)
        result = Order(RowNumber(a), RowNumber(b));
    return result;
}

void TfrmCategoryCreateControl::SortRows(TListView& listView, TRowList& rows, int column)
{
    SortAscending = true;
    if (column == listView.Tag()) {
        SortAscending = false;
        listView.SetTag(-1);
    } else {
        listView.SetTag(column);
    }
    SortColumn = column;
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return CompareQuestionRows(*a, *b) < 0;
    });
    listView.SetItemCount(0);
    listView.SetItemCount(static_cast<int>(rows.size()));
}

void TfrmCategoryCreateControl::lvSubCategoryColumnClick(TListView& sender, int column)
{
    SortRows(sender, RightRows, column);
}

void TfrmCategoryCreateControl::lvAnswerUnitColumnClick(TListView& sender, int column)
{
    SortRows(sender, LeftRows, column);
}
