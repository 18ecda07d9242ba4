// What a test unit shows: its row of the unit list, and its questions in the answer list.
#include "data/UAnswerUnit.h"

#include "data/UAnswerControl.h"
#include "data/UConst.h"
#include "data/UUnitHistoryControl.h"
#include "platform/text/Convert.h"
#include "platform/vcl/ListItem.h"

TAnswerUnit* TAnswerUnit::AddToListView(TListView&, TRowList& rows)
{
    if (Numbers && Numbers->Count() > 0) {
        auto item = std::make_unique<TListItem>();
        item->Caption = FormatInt(UnitNo, 3);
        FillListItem(*item);
        rows.push_back(std::move(item));
    }
    return Next.get();
}

TAnswerUnit* TAnswerUnit::ShowQuestions(int unitNo, TListView& listView, TRowList& rows)
{
    if (unitNo != UnitNo)
        return Next.get();
    AnswerControl->FillListView(*Numbers, listView, rows);
    return nullptr;
}

void TAnswerUnit::FillListItem(TListItem& item) const
{
    const int count = Numbers->Count();
    const int finished = AnswerControl->CountFinished(*Numbers);
    TStringList lines;
    UnitHistoryControl->GetStatistics(UnitSize, UnitNo, Name, lines);
    item.SubItems << ZeroIfBlank(lines.Values(QStringLiteral("TestCount"))) << IntToStr(count)
                  << IntToStr(finished) << FormatPercent(finished, count) << IntToStr(count - finished)
                  << FormatMinSec(lines.Values(QStringLiteral("AllDate")))
                  << FormatDateTimeOrDash(lines.Values(QStringLiteral("EndDate")));
}

TAnswerUnit* TAnswerUnitNull::AddToListView(TListView&, TRowList&)
{
    return nullptr;
}

TAnswerUnit* TAnswerUnitNull::ShowQuestions(int, TListView&, TRowList&)
{
    return nullptr;
}
