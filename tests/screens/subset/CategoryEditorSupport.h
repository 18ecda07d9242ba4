#pragma once
// Shared by the subset-editor tests: a fresh program folder with one category whose
// Question.cds, Answer.cds and Reply.cds are written by the dataset engine and whose
// subset files and Control.inf are real CP932 files; the units the editor needs started
// and the category made current as the data screen does; a modal run of the editor with
// a script that drives it by mouse and keys; the name dialog and the message and file
// dialogs answered from the test.

#include "data/UConst.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USubCategory.h"
#include "data/USetting.h"
#include "shell/ProgramUnits.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FileDialog.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "screens/subset/UfrmCategoryCreate.h"
#include "screens/subset/UfrmCategoryName.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

// A row of Question.cds or Answer.cds.
struct TEditorRow {
    int No = 0;
    int Type = 1;
    QString Data;
};

// Replies of one question: how many tests, how many correct, how many passed (the passed
// ones among the correct ones).
struct TEditorReplies {
    int No = 0;
    int Tests = 0;
    int Correct = 0;
    int Cleared = 0;
};

inline constexpr double EditorSecond = 1.0 / 86400.0;

class CategoryEditor : public testing::Test {
protected:
    CategoryEditor()
        : units_(ProgramUnits({"UReply", "USetting", "UReplyControl", "USubCategory", "UfrmCategoryName", "UfrmCategoryCreate"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
        SetDialogAnswerer([this](const TDialogQuestion& question) -> TModalResult {
            dialogs_.push_back(question);
            QTest::qWait(20); // a dialog on screen runs the events of the program meanwhile
            if (answers_.empty()) {
                ADD_FAILURE() << "unexpected dialog: " << question.Text.toStdString();
                return question.Buttons.size() > 1 ? mrNo : mrYes;
            }
            const TModalResult answer = answers_.front();
            answers_.erase(answers_.begin());
            return answer;
        });
        SetFileDialogAnswerer([this](const TFileDialogQuestion& question) {
            fileQuestions_.push_back(question);
            return fileAnswer_;
        });
    }

    ~CategoryEditor() override
    {
        SetDialogAnswerer({});
        SetFileDialogAnswerer({});
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }

    void WriteRows(const QString& fileName, const std::vector<TEditorRow>& rows) const
    {
        WriteRecordFile(Folder() + fileName, RecordRows(rows));
    }

    // Text questions "q<n>" answered "a<n>", in this stored order.
    void WriteTextCategory(const std::vector<int>& numbers) const
    {
        std::vector<TEditorRow> questions;
        std::vector<TEditorRow> answers;
        for (int no : numbers) {
            questions.push_back({no, 1, QStringLiteral("q%1").arg(no)});
            answers.push_back({no, 1, QStringLiteral("a%1").arg(no)});
        }
        WriteRows(QStringLiteral("Question.cds"), questions);
        WriteRows(QStringLiteral("Answer.cds"), answers);
    }
    void WriteTextCategory(int n) const
    {
        std::vector<int> numbers;
        for (int no = 1; no <= n; ++no)
            numbers.push_back(no);
        WriteTextCategory(numbers);
    }

    // Judged replies, one a minute, each 2 s long.
    void WriteReplies(const std::vector<TEditorReplies>& sets) const
    {
        std::vector<TReplyRow> replies;
        int minute = 0;
        for (const TEditorReplies& set : sets)
            for (int i = 0; i < set.Tests; ++i) {
                const double shown = 46000.0 + (minute++) * 60 * EditorSecond;
                replies.push_back({set.No, ReplyTypeText, ReplyStateWritten, shown + EditorSecond, shown,
                                   shown + 2 * EditorSecond, QString(), i < set.Cleared, i < set.Correct});
            }
        WriteReplyFile(Folder() + QStringLiteral("Reply.cds"), replies);
    }

    // A subset file holding text (CP932) as it is.
    void WriteSubset(const QString& name, const QString& text) const
    {
        program_.Write(QStringLiteral("VEKTest/") + name + QStringLiteral(".sub"), EncodeAnsi(text));
    }
    QByteArray Bytes(const QString& fileName) const { return program_.Read(QStringLiteral("VEKTest/") + fileName); }
    bool Exists(const QString& fileName) const { return QFile::exists(Folder() + fileName); }
    // The subset files of the category folder, in the order of their UTF-16 codes.
    QStringList SubsetFiles() const
    {
        QStringList files = QDir(Folder()).entryList({QStringLiteral("*.sub"), QStringLiteral("*.SUB"),
                                                      QStringLiteral("*.Sub")},
                                                     QDir::Files | QDir::Hidden);
        std::sort(files.begin(), files.end());
        return files;
    }

    void SaveChoice(const QString& name) const
    {
        TIniFile(Folder() + QStringLiteral("Control.inf"))
            .WriteString(QStringLiteral("SubCategoryIndex"), QStringLiteral("Index"), name);
    }
    QString SavedChoice() const
    {
        return TIniFile(Folder() + QStringLiteral("Control.inf"))
            .ReadString(QStringLiteral("SubCategoryIndex"), QStringLiteral("Index"), QStringLiteral("<none>"));
    }
    QString Log() const
    {
        const QString path = program_.FilePath(QStringLiteral("Vek.Log"));
        return QFile::exists(path) ? DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))) : QString();
    }

    // Makes the category current as the data screen does before it opens the editor.
    void Open() const
    {
        SubCategory->SetFolder(Folder());
        ReplyControlClass->CreateInstance(Folder());
    }

    // Runs the editor modally; the script runs once it is on screen. An editor the
    // script leaves open is closed after three seconds, failing the test.
    int Run(const std::function<void()>& script)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QPointer<TfrmCategoryCreate> form = frmCategoryCreate.get();
            ASSERT_TRUE(form);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form.data()));
            script();
            ran = true;
            QTimer::singleShot(3000, [form] {
                if (form && form->isVisible()) {
                    ADD_FAILURE() << "the editor stayed open";
                    form->done(mrCancel);
                }
            });
        });
        const int result = CategoryCreateControlClass->Execute(Folder());
        EXPECT_TRUE(ran);
        EXPECT_FALSE(frmCategoryCreate);
        EXPECT_FALSE(CategoryCreateControl);
        return result;
    }

    static TfrmCategoryCreate& Form() { return *frmCategoryCreate; }
    static TListView& LeftList() { return *frmCategoryCreate->lvAnswerUnit; }
    static TListView& RightList() { return *frmCategoryCreate->lvSubCategory; }

    // The question numbers a list shows, read through its rows as painting reads them.
    static std::vector<int> Shown(TListView& list)
    {
        std::vector<int> numbers;
        for (int i = 0; i < list.ItemCount(); ++i)
            numbers.push_back(Trim(list.Item(i).Caption).toInt());
        return numbers;
    }
    static QString RowText(TListView& list, int index)
    {
        const TListItem& item = list.Item(index);
        return item.Caption + u'|' + item.SubItems.join(u'|');
    }
    static std::vector<int> Range(int from, int to)
    {
        std::vector<int> numbers;
        for (int no = from; no <= to; ++no)
            numbers.push_back(no);
        return numbers;
    }

    static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // A key typed into the widget that has the focus (the editor when none has).
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : frmCategoryCreate.get(), key, modifiers);
    }
    static QPoint RowCentre(TListView& list, int row)
    {
        return list.visualRect(list.model()->index(row, 0)).center();
    }
    // Clicks the row; with Ctrl it is added to the selection.
    static void ClickRow(TListView& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        list.scrollTo(list.model()->index(row, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, RowCentre(list, row));
    }
    static void SelectRows(TListView& list, const std::vector<int>& rows)
    {
        bool first = true;
        for (int row : rows) {
            ClickRow(list, row, first ? Qt::NoModifier : Qt::ControlModifier);
            first = false;
        }
    }
    static void DoubleClickRow(TListView& list, int row)
    {
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, RowCentre(list, row));
    }
    static void ClickHeader(TListView& list, int column)
    {
        QHeaderView& header = *list.header();
        const QPoint at(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                        header.height() / 2);
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
    }
    // Presses on a row of source, moves in steps to the point of target (in its rows'
    // area), releases there.
    static void Drag(TListView& source, int row, TListView& target, QPoint to)
    {
        const QPoint from = RowCentre(source, row);
        QTest::mousePress(source.viewport(), Qt::LeftButton, {}, from);
        const QPoint end = source.viewport()->mapFromGlobal(target.viewport()->mapToGlobal(to));
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(source.viewport(), from + (end - from) * step / 4);
        QTest::mouseRelease(source.viewport(), Qt::LeftButton, {}, end);
    }
    // Picks the subset at index in the combo box with the keyboard, as a user does.
    static void ChooseSubset(int index)
    {
        TComboBox& combo = *frmCategoryCreate->cmbCategory;
        combo.setFocus();
        while (combo.currentIndex() < index)
            QTest::keyClick(&combo, Qt::Key_Down);
        while (combo.currentIndex() > index)
            QTest::keyClick(&combo, Qt::Key_Up);
    }
    static QStringList Subsets() { return frmCategoryCreate->cmbCategory->Items(); }

    // Once the name dialog is on screen, runs step on it (typing, keys).
    static void WhenNameDialog(std::function<void(TfrmCategoryName&)> step)
    {
        auto* poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, step] {
            if (!frmCategoryName || !frmCategoryName->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            step(*frmCategoryName);
        });
        poll->start();
    }
    // Opens the name dialog with the button, types the name over the proposed one and
    // accepts it with Enter.
    static void NameWith(TButton* button, const QString& name)
    {
        WhenNameDialog([name](TfrmCategoryName& dialog) {
            dialog.edtName->selectAll();
            QTest::keyClicks(dialog.edtName, name);
            QTest::keyClick(dialog.edtName, Qt::Key_Return);
        });
        Click(button);
    }

    // Answers the next message dialogs in order; every dialog is recorded in dialogs_.
    void Answer(std::vector<TModalResult> answers) { answers_ = std::move(answers); }
    // The path the next file dialogs choose; nothing for Cancel.
    void ChooseFile(std::optional<QString> path) { fileAnswer_ = std::move(path); }

    TempProgramFolder program_;
    TUnits units_;
    std::vector<TDialogQuestion> dialogs_;
    std::vector<TModalResult> answers_;
    std::vector<TFileDialogQuestion> fileQuestions_;
    std::optional<QString> fileAnswer_;
};
