#pragma once
// The history store: the history rows of the current category, read from the folder's
// UnitHistory.cds (created empty when missing) in stored order when the store is made.
// It takes the row of each finished test, fills the history list and chart of one unit,
// answers each unit's statistics lines, deletes the rows of one unit or all rows, and
// writes its new rows: on SavePending, before DeleteRecords, when it is replaced through
// CreateInstance and when it is freed at program end. Each new row is inserted just
// before the row that is last in the file at that moment (into an empty file the first
// one becomes the only row), and a row is written once: it counts as written only when
// the file holding it has been saved.
// Callers reach the store through the global UnitHistoryControl, which always holds one:
// the do-nothing TUnitHistoryControlNull until a category is opened.

#include "data/RowList.h"
#include "data/UUnitHistory.h"
#include "platform/core/ClassRef.h"
#include "platform/datetime/DateTime.h"

#include <QString>
#include <array>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>

class TChart;
class TFieldDefs;
class TListView;
class TStringList;

// The eight fields of UnitHistory.cds, in their order.
void DefineHistoryFields(TFieldDefs& defs);

// The eight columns of the history list: caption (also the key in Control.inf
// [単位履歴幅]) and default width in pixels.
inline constexpr int UnitHistoryColumnCount = 8;
extern const std::array<QString, UnitHistoryColumnCount> UnitHistoryColumnCaptions;
inline constexpr std::array<int, UnitHistoryColumnCount> UnitHistoryColumnWidths = {
    122, 50, 50, 50, 60, 60, 50, 50};

class TUnitHistoryControl {
public:
    // Creates Folder + "UnitHistory.cds" when missing, then reads it; a file that cannot
    // be read (one without all eight fields included) raises the dataset's error. Rows
    // with a date or time that cannot be shown are kept and counted; one log line names
    // the file.
    explicit TUnitHistoryControl(const QString& folder);
    // Writes the pending rows (a failure is logged, the rows are then lost), then frees
    // the chain.
    virtual ~TUnitHistoryControl();
    TUnitHistoryControl(const TUnitHistoryControl&) = delete;
    TUnitHistoryControl& operator=(const TUnitHistoryControl&) = delete;

    QString Folder;                     // the category folder, with trailing separator
    std::unique_ptr<TUnitHistory> Head; // a TUnitHistoryNull when there are no rows
    // Where CreateInstance moved a UnitHistory.cds that could not be read before it made
    // this store with a new file; empty when nothing was moved.
    QString SetAsideFile;

    // Creates an empty UnitHistory.cds with the eight history fields when there is none.
    virtual void EnsureDataFile();
    // Clears the list's items and inserts one row per row of the unit at the front of
    // rows: the latest row first.
    virtual void FillListView(int count, int no, const QString& subCategory, TListView& listView,
                              TRowList& rows);
    // SetupChart, the points of every row of the unit, then series 0 padded to ten points.
    virtual void ShowChart(int count, int no, const QString& subCategory, TChart& chart);
    // Appends the row of a finished test after every other; it is written later.
    virtual void AddRecord(int count, int no, const QString& subCategory, TDateTime testDate,
                           TDateTime average, int testCount, int answerCount, int clearCount);
    // Lines := "EndDate=", "AllDate=" and "TestCount=" of the unit.
    virtual void GetStatistics(int count, int no, const QString& subCategory, TStringList& lines);

    // While one lives, GetStatistics takes the figures of each unit size and subset from
    // one walk of the chain, made at its first question, instead of a walk per unit: for
    // a list of every unit. The chain must not change meanwhile.
    class TStatisticsBatch {
    public:
        explicit TStatisticsBatch(TUnitHistoryControl& store);
        ~TStatisticsBatch();
        TStatisticsBatch(const TStatisticsBatch&) = delete;
        TStatisticsBatch& operator=(const TStatisticsBatch&) = delete;

    private:
        TUnitHistoryControl& store_;
    };
    // The eight right-aligned columns with the widths of Control.inf [単位履歴幅],
    // defaults where missing; the list's rows are removed.
    virtual void SetupColumns(TListView& listView);
    // Left axis maximum Max(count + 1, 11), every series cleared.
    virtual void SetupChart(int count, TChart& chart);
    // Writes the eight widths, each at least 10, to Control.inf [単位履歴幅].
    virtual void SaveColumnWidths(TListView& listView);
    // Writes the rows added since they were last written. Nothing is done when there are
    // none; when the file cannot be written the rows stay pending and the error passes on.
    virtual void SavePending();
    // Writes the pending rows, deletes every stored row of the unit and reads the chain
    // anew. When anything fails the file and the chain stay as they were before the
    // deletion, and the error passes on.
    virtual void DeleteRecords(int count, int no, const QString& subCategory);
    // Empties UnitHistory.cds (its fields stay) and the chain; rows not yet written are
    // dropped. When the file cannot be written, file and chain stay as they were.
    virtual void ClearAll();

protected:
    struct TNoFile {};
    // A store of the folder with no chain that never reads or writes.
    TUnitHistoryControl(const QString& folder, TNoFile);

private:
    QString DataFilePath() const;
    void WritePending();

    // The figures of every unit of one size and subset, by unit number.
    struct TUnitFigures {
        int Tests = 0;
        TDateTime Latest = 0.0;
        TDateTime Total = 0.0;
    };
    using TFiguresByNo = std::unordered_map<int, TUnitFigures>;
    const TFiguresByNo& BatchFigures(int count, const QString& subCategory);

    bool writes_ = true;
    int batches_ = 0;
    std::map<std::pair<int, QString>, TFiguresByNo> batchFigures_;
};

// The store of no folder: nothing is read or written, every operation does nothing and
// the given lists stay untouched.
class TUnitHistoryControlNull : public TUnitHistoryControl {
public:
    explicit TUnitHistoryControlNull(const QString& folder);
    void EnsureDataFile() override;
    void FillListView(int count, int no, const QString& subCategory, TListView& listView,
                      TRowList& rows) override;
    void ShowChart(int count, int no, const QString& subCategory, TChart& chart) override;
    void AddRecord(int count, int no, const QString& subCategory, TDateTime testDate,
                   TDateTime average, int testCount, int answerCount, int clearCount) override;
    void GetStatistics(int count, int no, const QString& subCategory, TStringList& lines) override;
    void SetupColumns(TListView& listView) override;
    void SetupChart(int count, TChart& chart) override;
    void SaveColumnWidths(TListView& listView) override;
    void SavePending() override;
    void DeleteRecords(int count, int no, const QString& subCategory) override;
    void ClearAll() override;
};

class TUnitHistoryControlClass : public TMetaClass<TUnitHistoryControl, const QString&> {
public:
    // Writes the pending rows of the current store and frees it, then makes a store of
    // this class for the folder. When the pending rows cannot be written, the current
    // store stays as it is (its rows still pending) and the error passes on. A
    // UnitHistory.cds that cannot be read is moved aside (SetAsideDamagedFile, noted in
    // SetAsideFile) and the store starts a new file. When the new store cannot be made,
    // UnitHistoryControl becomes a TUnitHistoryControlNull and the error passes on.
    virtual void CreateInstance(const QString& folder) const;
};

inline std::unique_ptr<TUnitHistoryControl> UnitHistoryControl;
inline const TUnitHistoryControlClass* UnitHistoryControlClass = nullptr;

// Unit initialisation (UnitHistoryControlClass := TUnitHistoryControl, UnitHistoryControl
// := a new TUnitHistoryControlNull) and finalisation (frees the store, which writes its
// pending rows, and clears both globals).
void InitializeUUnitHistoryControl();
void FinalizeUUnitHistoryControl();
