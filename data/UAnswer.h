#pragma once
// The model answers of a category: one record per row of its Answer.cds, linked in file
// order into a chain that always ends with exactly one TAnswerNull. A record shows itself
// (a text answer in a text component, a picture answer in a picture component, a sound
// answer played aloud), adds its row with the question's reply statistics to the answer
// list, and tells whether its question is finished: passed or tested often enough to be
// retired from further tests.
//
// The chain operations act for one node and return the node the call passes on to
// (nullptr where the call ends); the walkers below run a call along the chain in a loop,
// the loader builds the chain in a loop and a node frees the rest of its chain in a loop,
// so no call depth grows with the number of answers.

#include "data/RowList.h"
#include "data/RecordNode.h"
#include "platform/core/ClassRef.h"

#include <QString>
#include <exception>
#include <memory>

class QWidget;
class TClientDataSet;
class TListView;
class TReplyControl;

// Values of the TYPE column; every other value is a text answer.
inline constexpr int AnswerTypeImage = 2;
inline constexpr int AnswerTypeVoice = 3;

// No, Folder, Data (the answer text, or the file name relative to Folder), Next,
// DescribeError and DataPath come from TRecordNode.
class TAnswer : public TRecordNode<TAnswer> {
public:
    using TRecordNode::TRecordNode;

    // The node's part in showing answer `no` on control.
    virtual TAnswer* Show(int no, QWidget* control);
    // The node's part in the answer rows of question `no`.
    virtual const TAnswer* AddToListView(int no, TListView& listView, TReplyControl& replyCtl,
                                         int clearCount, int maxTests, TRowList& rows) const;
    // The node's part in the list of every text answer (the list's own items).
    virtual const TAnswer* AddAllToListView(TListView& listView) const;
    // On the first node numbered `no`: Done := the retirement rule, and the walk ends.
    virtual const TAnswer* IsFinished(int no, bool& done) const;
};

class TAnswerText : public TAnswer {
public:
    using TAnswer::TAnswer;
    TAnswer* Show(int no, QWidget* control) override;
    // One row per text answer numbered `no`: caption "%3d" of No, Data, then the statistics.
    const TAnswer* AddToListView(int no, TListView& listView, TReplyControl& replyCtl,
                                 int clearCount, int maxTests, TRowList& rows) const override;
    const TAnswer* AddAllToListView(TListView& listView) const override;
    // The tick and the seven statistics cells of the row from the question's reply
    // statistics; a failure is logged and the row keeps what was filled.
    virtual void FillStatistics(TListItem& item, TReplyControl& replyCtl, int clearCount,
                                int maxTests) const;
};

class TAnswerImage : public TAnswer {
public:
    using TAnswer::TAnswer;
    // A picture component gets the file in the format its extension names; another kind
    // of component shows nothing. A file that cannot be shown (missing, damaged, larger
    // than the picture limit) leaves the component unchanged and is logged once.
    TAnswer* Show(int no, QWidget* control) override;
};

class TAnswerVoice : public TAnswer {
public:
    using TAnswer::TAnswer;
    // Plays the wave file, whatever the control, and returns when it has finished; a
    // missing file, a file that does not play or a machine without sound plays nothing.
    TAnswer* Show(int no, QWidget* control) override;
};

// The end of every chain: No -99, Folder "Null", Data "Null"; every walk stops here.
class TAnswerNull : public TAnswer {
public:
    using TAnswer::TAnswer;
    TAnswer* Show(int no, QWidget* control) override;
    const TAnswer* AddToListView(int no, TListView& listView, TReplyControl& replyCtl,
                                 int clearCount, int maxTests, TRowList& rows) const override;
    const TAnswer* AddAllToListView(TListView& listView) const override;
    const TAnswer* IsFinished(int no, bool& done) const override;
};

// The metaclass of the record classes: the constructor and the class methods.
class TAnswerClass : public TMetaClass<TAnswer, int, const QString&, const QString&> {
public:
    // Type 2 a picture, 3 a sound, any other a text answer, each made through its class
    // reference.
    virtual std::unique_ptr<TAnswer> CreateByType(int type, int no, const QString& folder,
                                                  const QString& data) const;
    // Head := the chain of the rows from the dataset's current one to its end, read by the
    // column names NO, TYPE and DATA, ended by a TAnswerNull. A row that cannot be read
    // ends the chain before it, with one log line; the rows before it are kept.
    virtual void LoadChain(std::unique_ptr<TAnswer>& head, const QString& folder,
                           TClientDataSet& dataSet) const;
};

inline const TAnswerClass* AnswerClass = nullptr;
inline const TAnswerClass* AnswerTextClass = nullptr;
inline const TAnswerClass* AnswerImageClass = nullptr;
inline const TAnswerClass* AnswerVoiceClass = nullptr;
inline const TAnswerClass* AnswerNullClass = nullptr;

// A new TAnswerNull, made through AnswerNullClass.
std::unique_ptr<TAnswer> CreateAnswerNull();

// The decimal integer of a text (leading blanks allowed); 0 when it is not one, a
// hexadecimal form included.
int DecimalOrZero(const QString& text);

// Walkers: the call for every node of the chain from head on, in chain order.
void ShowAnswerChain(TAnswer* head, int no, QWidget* control);
void AddAnswerRows(const TAnswer* head, int no, TListView& listView, TReplyControl& replyCtl,
                   int clearCount, int maxTests, TRowList& rows);
void AddAllAnswerRows(const TAnswer* head, TListView& listView);
void ChainIsFinished(const TAnswer* head, int no, bool& done);

// Unit initialisation (sets the five class references) and finalisation (clears them).
void InitializeUAnswer();
void FinalizeUAnswer();
