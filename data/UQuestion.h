#pragma once
// The questions of a category: one record per row of its Question.cds, linked in file
// order into a chain that always ends with exactly one TQuestionNull. A record knows how
// to show itself: a text question puts its text into a text component, a picture question
// loads its JPEG file into a picture component, a sound question plays its wave file and
// returns when it has finished.
//
// The chain operations act for one node and return the node the call passes on to
// (nullptr where the call ends); the walkers ShowChain, ChainHasImage and ChainGetText
// run a call along the chain in a loop, and a node frees the rest of its chain in a loop,
// so no call depth grows with the number of records.

#include "data/RecordNode.h"
#include "platform/core/ClassRef.h"

#include <QString>
#include <exception>
#include <memory>

class QWidget;
class TClientDataSet;

// Values of the TYPE column; every other value is a text question.
inline constexpr int QuestionTypeImage = 2;
inline constexpr int QuestionTypeVoice = 3;

// No, Folder, Data (the question text, or the file name relative to Folder), Next,
// DescribeError and DataPath come from TRecordNode.
class TQuestion : public TRecordNode<TQuestion> {
public:
    using TRecordNode::TRecordNode;

    // The node's part in showing question `no` on control.
    virtual TQuestion* Show(int no, QWidget* control);
    // Decides the answer (result, nullptr) or passes the question on.
    virtual const TQuestion* HasImage(bool& result) const;
    // The node's part in looking up the text of question `no`.
    virtual const TQuestion* GetText(int no, QString& s) const;
};

class TQuestionText : public TQuestion {
public:
    using TQuestion::TQuestion;
    TQuestion* Show(int no, QWidget* control) override;
    const TQuestion* GetText(int no, QString& s) const override;
};

class TQuestionImage : public TQuestion {
public:
    using TQuestion::TQuestion;
    // A picture component given gets the file decoded as JPEG whatever its extension;
    // another kind of component shows nothing. A file that cannot be shown (missing, not
    // a JPEG, cut short, larger than the picture limit) leaves the component unchanged and
    // is logged once.
    TQuestion* Show(int no, QWidget* control) override;
    const TQuestion* HasImage(bool& result) const override;
};

class TQuestionVoice : public TQuestion {
public:
    using TQuestion::TQuestion;
    // Plays the wave file, whatever the control, and returns when it has finished; a
    // missing file, a file that does not play or a machine without sound plays nothing.
    TQuestion* Show(int no, QWidget* control) override;
};

// The end of every chain: No -99, Folder "Null", Data "Null".
class TQuestionNull : public TQuestion {
public:
    using TQuestion::TQuestion;
    TQuestion* Show(int no, QWidget* control) override;
    const TQuestion* HasImage(bool& result) const override;
    const TQuestion* GetText(int no, QString& s) const override;
};

// The metaclass of the record classes: the constructor and the class methods.
class TQuestionClass : public TMetaClass<TQuestion, int, const QString&, const QString&> {
public:
    // Type 2 a picture, 3 a sound, any other a text question, each made through its
    // class reference.
    virtual std::unique_ptr<TQuestion> CreateByType(int type, int no, const QString& folder,
                                                    const QString& data) const;
    // Head := the chain of the records from the dataset's current one to its end, read by
    // the column names NO, TYPE and DATA, ended by a TQuestionNull. The dataset is left
    // at its end.
    virtual void LoadChain(std::unique_ptr<TQuestion>& head, const QString& folder,
                           TClientDataSet& dataSet) const;
};

inline const TQuestionClass* QuestionClass = nullptr;
inline const TQuestionClass* QuestionTextClass = nullptr;
inline const TQuestionClass* QuestionImageClass = nullptr;
inline const TQuestionClass* QuestionVoiceClass = nullptr;
inline const TQuestionClass* QuestionNullClass = nullptr;

// A new TQuestionNull, made through QuestionNullClass.
std::unique_ptr<TQuestion> CreateQuestionNull();

// Walkers: the call for every node of the chain from head on, in chain order.
void ShowChain(TQuestion* head, int no, QWidget* control);
bool ChainHasImage(const TQuestion* head);
void ChainGetText(const TQuestion* head, int no, QString& s);

// Unit initialisation (sets the five class references) and finalisation (clears them).
void InitializeUQuestion();
void FinalizeUQuestion();
