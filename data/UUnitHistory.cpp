// The history rows: fields, save states, appending, writing, the statistics lines of a
// unit and the TUnitHistoryNull; the row classes' metaclass with the loader; the unit's
// class references.
#include "data/UUnitHistory.h"

#include "data/UConst.h"
#include "data/UnitHistoryFields.h"
#include "platform/core/Checked.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"

#include <cmath>

void TState::SaveToDataSet(TClientDataSet&, TUnitHistory&) {}

void TStateReg::SaveToDataSet(TClientDataSet& dataSet, TUnitHistory& row)
{
    dataSet.Last();
    dataSet.Insert();
    dataSet.FieldByName(QStringLiteral("COUNT")).SetAsInteger(row.Count);
    dataSet.FieldByName(QStringLiteral("NO")).SetAsInteger(row.No);
    dataSet.FieldByName(QStringLiteral("SUBCATEGORY")).SetAsString(row.SubCategoryName);
    dataSet.FieldByName(QStringLiteral("TESTDATE")).SetAsDateTime(row.TestDate);
    dataSet.FieldByName(QStringLiteral("TESTCOUNT")).SetAsInteger(row.TestCount);
    dataSet.FieldByName(QStringLiteral("ANSWERCOUNT")).SetAsInteger(row.AnswerCount);
    dataSet.FieldByName(QStringLiteral("CLEARCOUNT")).SetAsInteger(row.ClearCount);
    dataSet.FieldByName(QStringLiteral("AVERAGE")).SetAsDateTime(row.Average);
    dataSet.Post();
    // The last statement: the assignment frees this state.
    row.State = StateClass->Create();
}

TUnitHistory::TUnitHistory(int count, int no, const QString& subCategoryName, TDateTime testDate,
                           TDateTime average, int testCount, int answerCount, int clearCount,
                           std::unique_ptr<TState> state)
    : Count(count), No(no), SubCategoryName(subCategoryName), TestCount(testCount),
      TestDate(testDate), AnswerCount(answerCount), ClearCount(clearCount), Average(average),
      State(std::move(state))
{
}

TUnitHistory::~TUnitHistory()
{
    State.reset();
    FreeChain(Next);
}

bool TUnitHistory::Matches(int count, int no, const QString& subCategory) const
{
    return Count == count && No == no && SubCategoryName == subCategory;
}

bool TUnitHistory::Showable() const
{
    return IsShowableDateTime(TestDate) && IsShowableDateTime(Average)
        && IsShowableDateTime(TestCount * Average);
}

TUnitHistory* TUnitHistory::AppendNode(std::unique_ptr<TUnitHistory>*& link,
                                       std::unique_ptr<TUnitHistory>&)
{
    link = &Next;
    return Next.get();
}

TUnitHistory* TUnitHistory::SavePending(TClientDataSet& dataSet)
{
    // The state may replace itself: the successor is taken first.
    TUnitHistory* next = Next.get();
    State->SaveToDataSet(dataSet, *this);
    return next;
}

void TUnitHistory::AddRecord(std::unique_ptr<TUnitHistory>& head, int count, int no,
                             const QString& subCategory, TDateTime testDate, TDateTime average,
                             int testCount, int answerCount, int clearCount)
{
    std::unique_ptr<TUnitHistory> node =
        UnitHistoryClass->Create(count, no, subCategory, testDate, average, testCount,
                                 answerCount, clearCount, StateRegClass->Create());
    std::unique_ptr<TUnitHistory>* link = &head;
    WalkChain(head.get(), [&](TUnitHistory& n) { return n.AppendNode(link, node); });
}

TUnitHistory* TUnitHistoryNull::AppendNode(std::unique_ptr<TUnitHistory>*& link,
                                           std::unique_ptr<TUnitHistory>& node)
{
    // *link owns this object: it moves on into the new node's Next and stays last.
    node->Next = std::move(*link);
    *link = std::move(node);
    return nullptr;
}

TUnitHistory* TUnitHistoryNull::SavePending(TClientDataSet&)
{
    return nullptr;
}

const TUnitHistory* TUnitHistory::CollectStatistics(int count, int no, const QString& subCategory,
                                                    int& tests, TDateTime& latest,
                                                    TDateTime& total) const
{
    if (!Matches(count, no, subCategory))
        return Next.get();
    tests = CheckedAdd(tests, 1);
    // Of rows with equal dates the first in chain order counts.
    if (TestDate > latest) {
        latest = TestDate;
        total = TestCount * Average;
    }
    return Next.get();
}

void TUnitHistory::GetStatistics(int count, int no, const QString& subCategory,
                                 TStringList& lines) const
{
    int tests = 0;
    TDateTime latest = 0.0;
    TDateTime total = 0.0;
    WalkChain(this, [&](const TUnitHistory& row) {
        return row.CollectStatistics(count, no, subCategory, tests, latest, total);
    });
    UnitHistoryLines(tests, latest, total, lines);
}

void UnitHistoryLines(int tests, TDateTime latest, TDateTime total, TStringList& lines)
{
    lines.Clear();
    if (tests == 0) {
        lines.Add(QStringLiteral("EndDate="));
        lines.Add(QStringLiteral("AllDate="));
    } else {
        lines.Add(QStringLiteral("EndDate=") + DateTimeToStrOrEmpty(latest));
        lines.Add(QStringLiteral("AllDate=") + DateTimeToStrOrEmpty(std::fabs(total)));
    }
    lines.Add(QStringLiteral("TestCount=") + IntToStr(tests));
}

const TUnitHistory* TUnitHistoryNull::CollectStatistics(int, int, const QString&, int&,
                                                        TDateTime&, TDateTime&) const
{
    return nullptr;
}

std::unique_ptr<TUnitHistory> TUnitHistoryClass::LoadChain(TClientDataSet& dataSet) const
{
    std::unique_ptr<TUnitHistory> head;
    std::unique_ptr<TUnitHistory>* link = &head;
    if (!dataSet.Eof()) {
        const TUnitHistoryFields fields(dataSet);
        while (!dataSet.Eof()) {
            const TUnitHistoryRow r = fields.Read();
            *link = UnitHistoryClass->Create(r.Count, r.No, r.SubCategory, r.TestDate, r.Average,
                                             r.TestCount, r.AnswerCount, r.ClearCount, StateClass->Create());
            link = &(*link)->Next;
            dataSet.Next();
        }
    }
    *link = CreateUnitHistoryNull();
    return head;
}

std::unique_ptr<TUnitHistory> CreateUnitHistoryNull()
{
    return UnitHistoryNullClass->Create(-99, -99, QStringLiteral("NULL"), 0.0, 0.0, -99, -99, -99,
                                        StateClass->Create());
}

void InitializeUUnitHistory()
{
    UnitHistoryClass = ClassOf<TUnitHistory, TUnitHistoryClass>();
    UnitHistoryNullClass = ClassOf<TUnitHistoryNull, TUnitHistoryClass>();
    StateClass = ClassOf<TState, TStateClass>();
    StateRegClass = ClassOf<TStateReg, TStateClass>();
}

void FinalizeUUnitHistory()
{
    UnitHistoryClass = UnitHistoryNullClass = nullptr;
    StateClass = StateRegClass = nullptr;
}
