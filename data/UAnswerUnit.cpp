// Test units: the unit records, their rows, and the cutting of the unit chain.
#include "data/UAnswerUnit.h"

#include "data/UAnswerControl.h"
#include "data/UConst.h"
#include "data/UUnitHistoryControl.h"
#include "platform/core/Checked.h"
#include "platform/text/Convert.h"

#include <algorithm>

TAnswerUnit::TAnswerUnit(int unitSize, int& counter, const QString& name, const TStringList& numbers)
    : UnitSize(unitSize), Name(name), Numbers(std::make_unique<TStringList>(numbers))
{
    counter = CheckedAdd(counter, 1);
    UnitNo = counter;
}

TAnswerUnit::~TAnswerUnit()
{
    FreeChain(Next);
}

std::unique_ptr<TAnswerUnit> TAnswerUnitClass::CreateUnit(int unitSize, int& counter,
                                                          const QString& name,
                                                          TStringList& numbers) const
{
    // Below 1 the cutting would never end.
    const int size = std::max(unitSize, 1);
    const int take = std::min(size, numbers.Count());
    TStringList taken;
    for (int i = 0; i < take; ++i)
        taken.Add(numbers[i]);
    for (int i = 0; i < take; ++i)
        numbers.Delete(0);
    return AnswerUnitClass->Create(size, counter, name, taken);
}

void TAnswerUnitClass::BuildChain(std::unique_ptr<TAnswerUnit>& slot, int unitSize, int& counter,
                                  const QString& name, TStringList& numbers) const
{
    std::unique_ptr<TAnswerUnit>* link = &slot;
    while (numbers.Count() > 0) {
        *link = CreateUnit(unitSize, counter, name, numbers);
        link = &(*link)->Next;
    }
    *link = CreateAnswerUnitNull();
}

std::unique_ptr<TAnswerUnit> CreateAnswerUnitNull()
{
    return AnswerUnitNullClass->CreatePlain();
}

void AddUnitRows(TAnswerUnit* head, TListView& listView, TRowList& rows)
{
    WalkChain(head, [&](TAnswerUnit& node) { return node.AddToListView(listView, rows); });
}

void ShowUnitChainQuestions(TAnswerUnit* head, int unitNo, TListView& listView, TRowList& rows)
{
    WalkChain(head, [&](TAnswerUnit& node) { return node.ShowQuestions(unitNo, listView, rows); });
}

void InitializeUAnswerUnit()
{
    AnswerUnitClass = ClassOf<TAnswerUnit, TAnswerUnitClass, TAnswerUnitClassOf<TAnswerUnit>>();
    AnswerUnitNullClass =
        ClassOf<TAnswerUnitNull, TAnswerUnitClass, TAnswerUnitClassOf<TAnswerUnitNull>>();
}

void FinalizeUAnswerUnit()
{
    AnswerUnitClass = AnswerUnitNullClass = nullptr;
}
