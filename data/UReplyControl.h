#pragma once
// The reply store: the replies of the current category, read from the folder's
// Reply.cds (created empty when missing) in ascending REPLYSTART order when the store is
// made. It takes the unjudged replies of a running test, runs the judge queue that the
// checking screen walks, answers statistics per question, fills the reply list and chart
// of the data screen, deletes replies and writes judged replies back: when the store is
// freed (replaced through CreateInstance, or at program end) and before DeleteRecords.
// Unjudged replies are never written. Callers reach it through the global ReplyControl,
// which always holds a store: the do-nothing TReplyControlNull until a category is opened.

#include "data/RowList.h"
#include "data/UReply.h"
#include "data/UReplyControlIndex.h"
#include "platform/core/ClassRef.h"
#include "platform/datetime/DateTime.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

class QWidget;
class TChart;
class TClientDataSet;
class TFieldDefs;
class TListView;
class TStringList;

// The nine fields of Reply.cds, in their order.
void DefineReplyFields(TFieldDefs& defs);

// The five columns of the reply list: caption (also the key in Control.inf [回答幅]) and
// default width.
inline constexpr int ReplyColumnCount = 5;
extern const std::array<QString, ReplyColumnCount> ReplyColumnCaptions;
inline constexpr std::array<int, ReplyColumnCount> ReplyColumnWidths = {122, 60, 60, 37, 37};

class TReplyControl {
public:
    // Creates Folder + "Reply.cds" when missing, then reads it; a file that cannot be read
    // (one without all nine fields included) raises the dataset's error. Replies with a
    // date or time that cannot be shown are kept and counted; one log line names the file.
    explicit TReplyControl(const QString& folder);
    // Writes the judged replies (a failure is logged), then frees the chain.
    virtual ~TReplyControl();
    TReplyControl(const TReplyControl&) = delete;
    TReplyControl& operator=(const TReplyControl&) = delete;

    // A store of the folder that holds no replies and never writes its file.
    static std::unique_ptr<TReplyControl> CreateEmpty(const QString& folder);

    QString Folder; // the category folder, with trailing separator
    // Where CreateInstance moved a Reply.cds that could not be read before it made this
    // store with a new file; empty when nothing was moved.
    QString SetAsideFile;
    // The chain, a TReplyNull when there are no replies. The store's per-question index
    // follows it through the store's operations only: read it, change it through them.
    std::unique_ptr<TReply> Head;
    std::vector<TReply*> JudgeList; // the judge queue, references into the chain
    int JudgeIndex = -1;            // current entry of the queue; -1 when there is none

    // Creates an empty Reply.cds with the nine reply fields when there is none.
    virtual void EnsureDataFile();
    // Writes every judged reply, in chain order, each before the first stored record,
    // marks them written, and empties the queue; stored records left with STATE 1 get
    // STATE 2 in the same write. Nothing is written when there is neither.
    virtual void SavePending();
    // Lines := ANSWER_COUNT, ANSWER_INDEX (1-based) and the info lines of the current
    // queued reply; empty when the queue is.
    virtual void GetCurrentInfo(TStringList& lines);
    // Lines := the five statistics lines of question `no`.
    virtual void GetStatistics(int no, TStringList& lines);
    // What those lines are made of, as numbers.
    virtual TReplyTotals GetTotals(int no);
    // Clears the list's items and inserts one row per reply of `no` at the front of rows.
    virtual void FillListView(int no, TListView& listView, TRowList& rows);
    // SetupChart, three points per reply of `no`, then the zero series padded to ten.
    virtual void ShowChart(int no, TChart& chart);
    // Builds the queue of unjudged replies in chain order; the first one's question
    // number, -1 when there is none.
    virtual int FirstUnjudged();
    // The next / previous queued reply (staying on the last / first) and its question
    // number; -1 when the queue is empty.
    virtual int NextUnjudged();
    virtual int PriorUnjudged();
    // Appends an unjudged reply after all others.
    virtual void AddRecord(int type, int no, TDateTime replyStart, TDateTime startTime,
                           TDateTime endTime, const QString& data);
    // The five columns with the widths of Control.inf [回答幅], defaults where missing.
    virtual void SetupColumns(TListView& listView);
    // Axis maxima 12000, every series cleared.
    virtual void SetupChart(TChart& chart);
    // Writes each column's width to Control.inf [回答幅].
    virtual void SaveColumnWidths(TListView& listView);
    // The current queued reply shows itself in control; nothing when the queue is empty.
    virtual void ShowCurrentData(QWidget* control);
    // The current queued reply: Answer := correct, Clear := correct and time within the
    // clear time of Setting; nothing when the queue is empty.
    virtual void JudgeCurrent(bool correct, TDateTime time);
    // Total time of the current queued reply; Now when the queue is empty.
    virtual TDateTime GetCurrentTotalTime();
    virtual int CountClearedInList();
    virtual int CountCorrectInList();
    // Replies of question `no`, of every state.
    virtual int CountTests(int no);
    // Writes the judged replies, deletes every stored reply of the numbers and reads the
    // chain anew in stored order. Nothing happens for an empty list.
    virtual void DeleteRecords(const TStringList& numbers);
    // Empties Reply.cds and the chain; judged replies not yet written are dropped.
    virtual void ClearAll();

protected:
    struct TNoFile {};
    // A store of the folder with an empty chain that never writes.
    TReplyControl(const QString& folder, TNoFile);

private:
    QString DataFilePath() const;
    void WriteJudged();
    int ReplaceChain(TClientDataSet& dataSet);
    void RestateStoredRecords(TClientDataSet& dataSet);
    void EmptyQueue();
    TReply* Current() const;

    TReplyIndex index_;
    bool writes_ = true;
    bool restate_ = false; // the file holds records with STATE 1 still to be marked written
};

// The store of no folder: nothing is read or written, every operation does nothing, the
// queries answer 0, GetCurrentTotalTime answers Now and the given lists stay untouched.
class TReplyControlNull : public TReplyControl {
public:
    explicit TReplyControlNull(const QString& folder);
    void EnsureDataFile() override;
    void SavePending() override;
    void GetCurrentInfo(TStringList& lines) override;
    void GetStatistics(int no, TStringList& lines) override;
    TReplyTotals GetTotals(int no) override;
    void FillListView(int no, TListView& listView, TRowList& rows) override;
    void ShowChart(int no, TChart& chart) override;
    int FirstUnjudged() override;
    int NextUnjudged() override;
    int PriorUnjudged() override;
    void AddRecord(int type, int no, TDateTime replyStart, TDateTime startTime, TDateTime endTime,
                   const QString& data) override;
    void SetupColumns(TListView& listView) override;
    void SetupChart(TChart& chart) override;
    void SaveColumnWidths(TListView& listView) override;
    void ShowCurrentData(QWidget* control) override;
    void JudgeCurrent(bool correct, TDateTime time) override;
    TDateTime GetCurrentTotalTime() override;
    int CountClearedInList() override;
    int CountCorrectInList() override;
    int CountTests(int no) override;
    void DeleteRecords(const TStringList& numbers) override;
    void ClearAll() override;
};

class TReplyControlClass : public TMetaClass<TReplyControl, const QString&> {
public:
    // Frees the current ReplyControl (which writes its judged replies), then makes a
    // store of this class for the folder. A Reply.cds that cannot be read is moved aside
    // (SetAsideDamagedFile, noted in SetAsideFile) and the store starts a new file. When
    // that cannot be done, ReplyControl becomes an empty store of the folder that never
    // writes, so the file is left as it is, and the error passes on to the caller.
    virtual void CreateInstance(const QString& folder) const;
};

inline std::unique_ptr<TReplyControl> ReplyControl;
inline const TReplyControlClass* ReplyControlClass = nullptr;

// Unit initialisation (ReplyControlClass := TReplyControl, ReplyControl := a new
// TReplyControlNull) and finalisation (frees the store, which writes its judged replies,
// and clears both globals).
void InitializeUReplyControl();
void FinalizeUReplyControl();
