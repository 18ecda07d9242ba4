#pragma once
// Test units: numbered batches of question numbers, cut in order from the entries of the
// selected subset, unit size entries each and the last unit the rest. A unit is a node of
// the unit chain, which always ends with exactly one TAnswerUnitNull. A unit adds its row
// to the unit list (test count, size, finished count and rate, remaining count, answer
// time and date of its last test) and fills the answer list with its questions.
//
// The chain operations act for one node and return the node the call passes on to
// (nullptr where the call ends); the walkers below run a call along the chain in a loop,
// the chain is built in a loop and a node frees the rest of its chain in a loop, so no
// call depth grows with the number of units.

#include "data/RowList.h"
#include "platform/core/Chain.h"
#include "platform/core/ClassRef.h"
#include "platform/text/StringList.h"

#include <QString>
#include <memory>

class TListView;

class TAnswerUnit {
public:
    // The plain constructor: no fields set, no list (the chain end).
    TAnswerUnit() = default;
    // Counter := Counter + 1 becomes the unit number; Numbers is copied.
    TAnswerUnit(int unitSize, int& counter, const QString& name, const TStringList& numbers);
    virtual ~TAnswerUnit();
    TAnswerUnit(const TAnswerUnit&) = delete;
    TAnswerUnit& operator=(const TAnswerUnit&) = delete;

    int UnitSize = 0;                     // the size the chain was cut with
    int UnitNo = 0;                       // 1 for the first unit of a chain
    QString Name;                         // the subset name as saved in Control.inf
    std::unique_ptr<TStringList> Numbers; // the unit's entries, unconverted
    std::unique_ptr<TAnswerUnit> Next;

    // The node's part in the unit list: a unit with entries appends its row to rows.
    virtual TAnswerUnit* AddToListView(TListView& listView, TRowList& rows);
    // The unit numbered unitNo fills the answer list with its questions, and the walk ends.
    virtual TAnswerUnit* ShowQuestions(int unitNo, TListView& listView, TRowList& rows);
    // The seven cells after the caption, from the answer store and the history store.
    void FillListItem(TListItem& item) const;
};

// The end of every chain; every walk stops here.
class TAnswerUnitNull : public TAnswerUnit {
public:
    using TAnswerUnit::TAnswerUnit;
    TAnswerUnit* AddToListView(TListView& listView, TRowList& rows) override;
    TAnswerUnit* ShowQuestions(int unitNo, TListView& listView, TRowList& rows) override;
};

// The metaclass of the unit classes: the constructors and the class methods.
class TAnswerUnitClass
    : public TMetaClass<TAnswerUnit, int, int&, const QString&, const TStringList&> {
public:
    // A new instance made with the plain constructor.
    virtual std::unique_ptr<TAnswerUnit> CreatePlain() const = 0;
    // The next unit, made through AnswerUnitClass: it takes up to unitSize (at least one)
    // entries from the front of numbers.
    virtual std::unique_ptr<TAnswerUnit> CreateUnit(int unitSize, int& counter, const QString& name,
                                                    TStringList& numbers) const;
    // Slot := the units cut from all of numbers (which ends empty), ended by a
    // TAnswerUnitNull; a unit size below 1 is taken as 1.
    virtual void BuildChain(std::unique_ptr<TAnswerUnit>& slot, int unitSize, int& counter,
                            const QString& name, TStringList& numbers) const;
};

// The metaclass object of a unit class.
template <class Derived>
class TAnswerUnitClassOf : public TClassOf<Derived, TAnswerUnitClass> {
public:
    std::unique_ptr<TAnswerUnit> CreatePlain() const override { return std::make_unique<Derived>(); }
};

inline const TAnswerUnitClass* AnswerUnitClass = nullptr;
inline const TAnswerUnitClass* AnswerUnitNullClass = nullptr;

// A new TAnswerUnitNull, made through AnswerUnitNullClass.
std::unique_ptr<TAnswerUnit> CreateAnswerUnitNull();

// Walkers: the call for every node of the chain from head on, in chain order.
void AddUnitRows(TAnswerUnit* head, TListView& listView, TRowList& rows);
void ShowUnitChainQuestions(TAnswerUnit* head, int unitNo, TListView& listView, TRowList& rows);

// Unit initialisation (sets both class references) and finalisation (clears them).
void InitializeUAnswerUnit();
void FinalizeUAnswerUnit();
