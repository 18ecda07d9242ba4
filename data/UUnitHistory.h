#pragma once
// The history of test units: one row per finished test of a unit, with when it started,
// how many questions it had, how many replies were correct and passed, and the mean
// answering time. A unit is known by three keys together: its size (Count), its number
// (No) and its subset name, compared exactly (letter case included).
//
// The rows are linked in file order into a chain that always ends with exactly one
// TUnitHistoryNull; new rows go before it. Each row carries its save state: a TState for
// a row that is in the file, a TStateReg for a new one that is still to be written.
//
// Average is held as the test screen passes it: the mean of (question shown - reply
// registered), a negative duration in days. Every display takes its magnitude.
//
// The chain operations act for one node and return the node the call passes on to
// (nullptr where the call ends); WalkChain (platform/core/Chain.h) runs such a call along the chain in a loop,
// the loader builds the chain in a loop and a node frees the rest of its chain in a loop,
// so no call depth grows with the number of rows.

#include "data/RowList.h"
#include "platform/core/Chain.h"
#include "platform/core/ClassRef.h"
#include "platform/datetime/DateTime.h"

#include <QString>
#include <memory>

class TChart;
class TClientDataSet;
class TListView;
class TStringList;
class TUnitHistory;

// The save state of a row that is in the file: saving it does nothing.
class TState {
public:
    virtual ~TState() = default;
    virtual void SaveToDataSet(TClientDataSet& dataSet, TUnitHistory& row);
    // True while the row is still to be written.
    virtual bool Pending() const { return false; }
};

// The save state of a new row: saving it inserts the row before the dataset's last
// record and gives the row a TState in its place (this object is then freed).
class TStateReg : public TState {
public:
    void SaveToDataSet(TClientDataSet& dataSet, TUnitHistory& row) override;
    bool Pending() const override { return true; }
};

using TStateClass = TMetaClass<TState>;

class TUnitHistory {
public:
    TUnitHistory(int count, int no, const QString& subCategoryName, TDateTime testDate,
                 TDateTime average, int testCount, int answerCount, int clearCount,
                 std::unique_ptr<TState> state);
    virtual ~TUnitHistory();
    TUnitHistory(const TUnitHistory&) = delete;
    TUnitHistory& operator=(const TUnitHistory&) = delete;

    int Count;               // unit size
    int No;                  // unit number
    QString SubCategoryName; // subset name
    int TestCount;           // questions tested
    TDateTime TestDate;      // start of the test
    int AnswerCount;         // correct replies
    int ClearCount;          // passed replies
    TDateTime Average;       // mean answering time, a negative duration
    std::unique_ptr<TState> State;
    std::unique_ptr<TUnitHistory> Next;

    // True when the row belongs to the unit of these three keys.
    bool Matches(int count, int no, const QString& subCategory) const;
    // True when its test date, mean time and total time can all be shown as dates and
    // times; the displays show "-" or "- 秒" for a value that cannot.
    bool Showable() const;

    // Passes the link of its own Next on; the TUnitHistoryNull puts node in its place
    // and becomes the node's Next.
    virtual TUnitHistory* AppendNode(std::unique_ptr<TUnitHistory>*& link,
                                     std::unique_ptr<TUnitHistory>& node);
    // On a row of the unit: tests + 1; when its TestDate is strictly later than latest,
    // latest := TestDate and total := TestCount x Average.
    virtual const TUnitHistory* CollectStatistics(int count, int no, const QString& subCategory,
                                                  int& tests, TDateTime& latest,
                                                  TDateTime& total) const;
    // Appends the row of a row of the unit to rows.
    virtual const TUnitHistory* AddToListView(int count, int no, const QString& subCategory,
                                              TListView& listView, TRowList& rows) const;
    // Adds the points of a row of the unit to the five series of the chart.
    virtual const TUnitHistory* AddToChart(int count, int no, const QString& subCategory,
                                           TChart& chart) const;
    // Lets the row's state save the row into the dataset.
    virtual TUnitHistory* SavePending(TClientDataSet& dataSet);
    // Appends a new row with a TStateReg to the chain that head starts, before its Null.
    virtual void AddRecord(std::unique_ptr<TUnitHistory>& head, int count, int no,
                           const QString& subCategory, TDateTime testDate, TDateTime average,
                           int testCount, int answerCount, int clearCount);
    // Lines := "EndDate=", "AllDate=" and "TestCount=" of the unit over the chain from
    // this node on (see UnitHistoryLines).
    virtual void GetStatistics(int count, int no, const QString& subCategory,
                               TStringList& lines) const;
};

// The end of every chain: counts and numbers -99, subset "NULL", dates 0, a TState. It
// matches no query; new nodes are put in its place.
class TUnitHistoryNull : public TUnitHistory {
public:
    using TUnitHistory::TUnitHistory;
    TUnitHistory* AppendNode(std::unique_ptr<TUnitHistory>*& link,
                             std::unique_ptr<TUnitHistory>& node) override;
    const TUnitHistory* CollectStatistics(int count, int no, const QString& subCategory, int& tests,
                                          TDateTime& latest, TDateTime& total) const override;
    const TUnitHistory* AddToListView(int count, int no, const QString& subCategory,
                                      TListView& listView, TRowList& rows) const override;
    const TUnitHistory* AddToChart(int count, int no, const QString& subCategory,
                                   TChart& chart) const override;
    TUnitHistory* SavePending(TClientDataSet& dataSet) override;
};

// The metaclass of the row classes: the constructor and the loader.
class TUnitHistoryClass
    : public TMetaClass<TUnitHistory, int, int, const QString&, TDateTime, TDateTime, int, int,
                        int, std::unique_ptr<TState>> {
public:
    // The chain of the dataset's records from the current one to its end, in stored order,
    // each with a TState, ended by a TUnitHistoryNull. The dataset is left at its end.
    virtual std::unique_ptr<TUnitHistory> LoadChain(TClientDataSet& dataSet) const;
};

inline const TUnitHistoryClass* UnitHistoryClass = nullptr;
inline const TUnitHistoryClass* UnitHistoryNullClass = nullptr;
inline const TStateClass* StateClass = nullptr;
inline const TStateClass* StateRegClass = nullptr;

// A new TUnitHistoryNull, made through UnitHistoryNullClass.
std::unique_ptr<TUnitHistory> CreateUnitHistoryNull();

// Lines := "EndDate=" latest and "AllDate=" the magnitude of total, in the default
// date-time text (so that reading "AllDate" back gives the positive duration), then
// "TestCount=" tests; with no tests both dates are empty, and so is a date that cannot
// be shown.
void UnitHistoryLines(int tests, TDateTime latest, TDateTime total, TStringList& lines);

// Unit initialisation (sets the four class references) and finalisation (clears them).
void InitializeUUnitHistory();
void FinalizeUUnitHistory();
