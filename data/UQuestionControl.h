#pragma once
// The question store: the questions of the current category, read once from the
// folder's Question.cds (in stored order) when the store is made, never written.
// Callers reach it through the global QuestionControl, which always holds a store: the
// do-nothing TQuestionControlNull until a category is opened.

#include "data/UQuestion.h"
#include "platform/core/ClassRef.h"

#include <QString>
#include <memory>

class QWidget;

class TQuestionControl {
public:
    // Reads Folder + "Question.cds" (the name matched without regard to case); a missing
    // file gives an empty store, a file that cannot be read raises the dataset's error.
    explicit TQuestionControl(const QString& folder);
    virtual ~TQuestionControl();
    TQuestionControl(const TQuestionControl&) = delete;
    TQuestionControl& operator=(const TQuestionControl&) = delete;

    // A store of the folder that holds no questions, whatever the folder's files.
    static std::unique_ptr<TQuestionControl> CreateEmpty(const QString& folder);

    QString Folder; // the category folder, with trailing separator
    std::unique_ptr<TQuestion> Head;

    // Clears the text of control (a label, edit or memo; others stay), then lets every
    // question numbered `no` show itself on it, in file order.
    virtual void Show(int no, QWidget* control);
    // True when any question of the file is a picture question, whatever its number.
    virtual bool HasImage() const;
    // S := the text of the last text question numbered `no`; unchanged when there is none.
    virtual void GetText(int no, QString& s) const;

protected:
    struct TNoQuestions {};
    TQuestionControl(const QString& folder, TNoQuestions);
};

// The store of no category: shows nothing, has no picture, every text is empty.
class TQuestionControlNull : public TQuestionControl {
public:
    explicit TQuestionControlNull(const QString& folder);
    void Show(int no, QWidget* control) override;
    bool HasImage() const override;
    void GetText(int no, QString& s) const override;
};

class TQuestionControlClass : public TMetaClass<TQuestionControl, const QString&> {
public:
    // Frees the current QuestionControl, then makes a store of this class for the folder.
    // When the folder's questions cannot be read, QuestionControl becomes an empty store
    // of the folder and the error passes on to the caller.
    virtual void CreateInstance(const QString& folder) const;
};

inline std::unique_ptr<TQuestionControl> QuestionControl;
inline const TQuestionControlClass* QuestionControlClass = nullptr;

// Unit initialisation (QuestionControlClass := TQuestionControl, QuestionControl := a new
// TQuestionControlNull) and finalisation (frees the store, clears both globals).
void InitializeUQuestionControl();
void FinalizeUQuestionControl();
