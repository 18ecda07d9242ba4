#pragma once
// The answer store: the model answers of the current category, read once from the
// folder's Answer.cds (in stored order) when the store is made, never written. It shows
// an answer, fills the answer list of a test unit with each question's reply statistics
// and counts the finished questions of a unit. Only the list's column widths are saved,
// to Control.inf [問題一覧幅]. Callers reach it through the global AnswerControl, which
// always holds a store: the do-nothing TAnswerControlNull until a category is opened.

#include "data/RowList.h"
#include "data/UAnswer.h"
#include "platform/core/ClassRef.h"

#include <QString>
#include <array>
#include <exception>
#include <memory>
#include <unordered_map>

class QWidget;
class TListView;
class TStringList;

// The nine columns of the answer list: caption (also the key in Control.inf [問題一覧幅])
// and default width in characters.
inline constexpr int AnswerColumnCount = 9;
extern const std::array<QString, AnswerColumnCount> AnswerColumnCaptions;
inline constexpr std::array<int, AnswerColumnCount> AnswerColumnChars = {5, 7, 7, 6, 6, 6, 6, 8, 19};

class TAnswerControl {
public:
    // Reads Folder + "Answer.cds" (the name matched without regard to case); a missing
    // file gives an empty store, a file the dataset engine cannot load raises its error.
    explicit TAnswerControl(const QString& folder);
    // Saves nothing.
    virtual ~TAnswerControl();
    TAnswerControl(const TAnswerControl&) = delete;
    TAnswerControl& operator=(const TAnswerControl&) = delete;

    // A store of the folder that holds no answers, whatever the folder's files.
    static std::unique_ptr<TAnswerControl> CreateEmpty(const QString& folder);

    QString Folder; // the category folder, with trailing separator
    std::unique_ptr<TAnswer> Head;

    // S := prefix TAB message TAB "<Folder=" Folder ">".
    virtual void DescribeError(const std::exception& e, const QString& prefix, QString& s) const;
    // The nine columns with the widths of Control.inf [問題一覧幅] (defaults where missing),
    // each at least 30 pixels wide; the list's rows are removed.
    virtual void SetupColumns(TListView& listView);
    // Empties the text of control (a picture component becomes a framed blank), then lets
    // every answer numbered `no` show itself on it, in file order.
    virtual void Show(int no, QWidget* control);
    // The columns anew, then for each number of the list (a text that is not a decimal
    // integer stands for 0) one row per text answer of it appended to rows; the tick
    // marks a finished question. Rows is not emptied first.
    virtual void FillListView(const TStringList& numbers, TListView& listView, TRowList& rows);
    // The list's own items become one row per text answer, with the question's text.
    virtual void FillAllListView(TListView& listView);
    // Writes the nine widths, each at least 10, to Control.inf [問題一覧幅].
    virtual void SaveColumnWidths(TListView& listView);
    // The numbers of the list whose question is finished: passed ClearCount times or
    // tested MaxTestCount times (the current Setting), judged by the first answer of the
    // number; a number without an answer is not finished.
    virtual int CountFinished(const TStringList& numbers);

protected:
    struct TNoAnswers {};
    TAnswerControl(const QString& folder, TNoAnswers);

private:
    // The first node of each question number in the chain from Head, so that the
    // finished count looks a question up instead of walking the chain; made at first use
    // and again whenever Head is another chain.
    const TAnswer* FirstOf(int no);
    std::unordered_map<int, const TAnswer*> firstOf_;
    const TAnswer* indexedHead_ = nullptr;
};

// The store of no category: has no chain, every operation does nothing, CountFinished
// answers 0.
class TAnswerControlNull : public TAnswerControl {
public:
    explicit TAnswerControlNull(const QString& folder);
    void DescribeError(const std::exception& e, const QString& prefix, QString& s) const override;
    void SetupColumns(TListView& listView) override;
    void Show(int no, QWidget* control) override;
    void FillListView(const TStringList& numbers, TListView& listView, TRowList& rows) override;
    void FillAllListView(TListView& listView) override;
    void SaveColumnWidths(TListView& listView) override;
    int CountFinished(const TStringList& numbers) override;
};

class TAnswerControlClass : public TMetaClass<TAnswerControl, const QString&> {
public:
    // Frees the current AnswerControl, then makes a store of this class for the folder.
    // When the folder's answers cannot be read, AnswerControl becomes an empty store of
    // the folder and the error passes on to the caller.
    virtual void CreateInstance(const QString& folder) const;
};

inline std::unique_ptr<TAnswerControl> AnswerControl;
inline const TAnswerControlClass* AnswerControlClass = nullptr;

// Unit initialisation (AnswerControlClass := TAnswerControl, AnswerControl := a new
// TAnswerControlNull) and finalisation (frees the store, clears both globals).
void InitializeUAnswerControl();
void FinalizeUAnswerControl();
