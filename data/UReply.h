#pragma once
// The replies of a category: one record per answer attempt, what was typed or drawn,
// when the question appeared, when the reply began and when it was registered, whether
// it was correct and whether it passed. Stored in the folder's Reply.cds and, while the
// category is open, in a chain owned by the reply store that always ends with exactly one
// TReplyNull. New replies go after all earlier ones.
//
// Reply states: 0 recorded by a test, not yet judged (memory only); 1 judged, not yet
// written (memory only); 2 written to Reply.cds (every record of the file).
//
// The chain operations act for one node and return the node the call passes on to
// (nullptr where the call ends); WalkChain runs such a call along the chain in a loop,
// the loader builds the chain in a loop and a node frees the rest of its chain in a loop,
// so no call depth grows with the number of replies.

#include "data/RowList.h"
#include "platform/core/Chain.h"
#include "platform/core/ClassRef.h"
#include "platform/datetime/DateTime.h"

#include <QString>
#include <memory>
#include <vector>

class QWidget;
class TChart;
class TClientDataSet;
class TListView;
class TStringList;
struct TReplyFields;

// Values of the TYPE column; every other value reads as a text reply.
inline constexpr int ReplyTypeText = 1;
inline constexpr int ReplyTypeImage = 2;
inline constexpr int ReplyTypeVoice = 3;

inline constexpr int ReplyStateUnjudged = 0;
inline constexpr int ReplyStateJudged = 1;
inline constexpr int ReplyStateWritten = 2;

// DATA holds at most this many bytes of CP932; a longer text is cut on a character boundary.
inline constexpr int ReplyDataSize = 255;

class TReply {
public:
    TReply(int state, int no, TDateTime replyStart, TDateTime startTime, TDateTime endTime,
           QString data, bool clear, bool answer);
    virtual ~TReply();
    TReply(const TReply&) = delete;
    TReply& operator=(const TReply&) = delete;

    int No;               // question number
    TDateTime ReplyStart; // first key or ink point
    TDateTime StartTime;  // the question appeared
    TDateTime EndTime;    // the reply was registered
    QString Data;         // typed text, or the path of the picture or wave file
    bool Clear;           // passed: correct and within the clear time
    bool Answer;          // judged correct
    int State;            // 0, 1 or 2 (above)
    std::unique_ptr<TReply> Next;

    // Next := the reply of the dataset's following record, or a TReplyNull at its end.
    virtual TReply* LoadNext(const TReplyFields& fields);
    // Passes the link of its own Next on; the TReplyNull puts reply in its place.
    virtual TReply* AppendNode(std::unique_ptr<TReply>*& link, std::unique_ptr<TReply>& reply);
    // Writes the reply as a record of its own type; raises on the base class.
    virtual void SaveToDataSet(TClientDataSet& dataSet);
    // On a reply of `no` started later than lastStart (or with lastStart 0): both updated.
    virtual const TReply* FindLatest(int no, TDateTime& lastStart, TDateTime& lastTotal) const;
    // "○" for true, "×" for false.
    virtual void GetMarkText(bool value, QString& s) const;
    // Inserts the reply as a new record of TYPE type and STATE 2 before the current one.
    virtual void WriteRecord(TClientDataSet& dataSet, int type);
    virtual const TReply* CountCleared(int no, int& count) const;
    // Writes a judged reply (state 1) and marks it written (state 2).
    virtual TReply* SavePending(TClientDataSet& dataSet);
    // Inserts the row of a reply of `no` at the front of rows.
    virtual const TReply* AddToListView(int no, TListView& listView, TRowList& rows) const;
    // Adds the three points of a reply of `no` to series 0, 1 and 2.
    virtual const TReply* AddToChart(int no, TChart& chart) const;
    virtual TReply* CollectUnjudged(std::vector<TReply*>& list);
    virtual const TReply* CountTests(int no, int& count) const;
    virtual const TReply* CountCorrect(int no, int& count) const;
    // Shows the reply in control; raises on the base class.
    virtual void ShowData(QWidget* control);
    // Lines := the five statistics lines of question `no` over the chain from this node on.
    virtual void GetStatistics(int no, TStringList& lines) const;
    // Adds the four info lines of this reply.
    virtual void GetReplyInfo(TStringList& lines) const;
    virtual TDateTime GetTotalTime() const;
    // True when its three times and the two durations from StartTime can all be shown
    // as dates and times; the displays show "-" or "- 秒" for a value that cannot.
    bool Showable() const;
    virtual void SetJudgement(bool clear, bool answer);
    // Adds a new unjudged reply after every reply of the chain that head starts; the new
    // reply is returned (head itself when the chain was empty).
    virtual TReply* AddRecord(std::unique_ptr<TReply>& head, int type, int no, TDateTime replyStart,
                              TDateTime startTime, TDateTime endTime, const QString& data);
};

class TReplyText : public TReply {
public:
    using TReply::TReply;
    void SaveToDataSet(TClientDataSet& dataSet) override;
    // An edit component gets Data as its text; other controls show nothing.
    void ShowData(QWidget* control) override;
};

class TReplyImage : public TReply {
public:
    using TReply::TReply;
    void SaveToDataSet(TClientDataSet& dataSet) override;
    // A picture component is framed and shows the file Data; a file that cannot be shown
    // (missing, damaged, larger than the picture limit) leaves the frame blank and is
    // logged once.
    void ShowData(QWidget* control) override;
};

class TReplyVoice : public TReply {
public:
    using TReply::TReply;
    void SaveToDataSet(TClientDataSet& dataSet) override;
    // Plays the wave file Data when it exists, whatever the control, and returns when done.
    void ShowData(QWidget* control) override;
};

// The end of every chain: every field zero or empty; every walk stops here.
class TReplyNull : public TReply {
public:
    using TReply::TReply;
    TReply* AppendNode(std::unique_ptr<TReply>*& link, std::unique_ptr<TReply>& reply) override;
    const TReply* FindLatest(int no, TDateTime& lastStart, TDateTime& lastTotal) const override;
    const TReply* CountCleared(int no, int& count) const override;
    TReply* SavePending(TClientDataSet& dataSet) override;
    const TReply* AddToListView(int no, TListView& listView, TRowList& rows) const override;
    const TReply* AddToChart(int no, TChart& chart) const override;
    TReply* CollectUnjudged(std::vector<TReply*>& list) override;
    const TReply* CountTests(int no, int& count) const override;
    const TReply* CountCorrect(int no, int& count) const override;
};

// The metaclass of the reply classes: the constructor and the class methods.
// The data text is taken by value, so that a loader hands over the text it read.
class TReplyClass : public TMetaClass<TReply, int, int, TDateTime, TDateTime, TDateTime,
                                      QString, bool, bool> {
public:
    // Type 2 a picture, 3 a sound, any other a text reply, each made through its class
    // reference.
    virtual std::unique_ptr<TReply> CreateByType(int type, int no, int state, TDateTime replyStart,
                                                 TDateTime startTime, TDateTime endTime,
                                                 QString data, bool clear, bool answer) const;
    // The reply of the dataset's current record, its STATE kept as stored.
    virtual std::unique_ptr<TReply> CreateFromRecord(const TReplyFields& fields) const;
    // The chain of every record of the dataset from its first on, in the order of its
    // current index, ended by a TReplyNull.
    virtual std::unique_ptr<TReply> LoadChain(TClientDataSet& dataSet) const;
};

inline const TReplyClass* ReplyClass = nullptr;
inline const TReplyClass* ReplyTextClass = nullptr;
inline const TReplyClass* ReplyImageClass = nullptr;
inline const TReplyClass* ReplyVoiceClass = nullptr;
inline const TReplyClass* ReplyNullClass = nullptr;

// A new TReplyNull, made through ReplyNullClass.
std::unique_ptr<TReply> CreateReplyNull();

// What the statistics lines of one question are made of.
struct TReplyTotals {
    TDateTime LastStart = 0.0;
    TDateTime LastTotal = 0.0;
    int TestCount = 0;
    int AnswerCount = 0;
    int ClearCount = 0;

    // The part of one reply, the same as a walk's visit of that node.
    void Add(const TReply& reply, int no);
};

// Lines := EndDate, TestTime, TestCount, AnswerCount and ClearCount; a date that cannot
// be shown is empty, a time that cannot be shown "- 秒".
void StatisticsLines(const TReplyTotals& totals, TStringList& lines);

// Unit initialisation (sets the five class references) and finalisation (clears them).
void InitializeUReply();
void FinalizeUReply();
