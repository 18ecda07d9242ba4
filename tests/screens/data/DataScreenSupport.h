#pragma once
// Shared by the data-screen tests: a fresh program folder with one category whose files
// the dataset engine writes (questions, answers, replies, history) and whose Control.inf
// and subset files are real CP932 files; every unit the screen needs started; a clock the
// test sets; and a runner that opens the screen with a script running inside its modal
// loop once the first paint has selected the saved unit.

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UConst.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/USubCategory.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "shell/ProgramUnits.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/datetime/DateTime.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/SpeedButton.h"
#include "screens/data/UfrmData.h"
#include "screens/settings/UfrmSetting.h"
#include "screens/subset/UfrmCategoryCreate.h"
#include "screens/subset/UfrmCategoryName.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

inline constexpr TDateTime ScreenSecond = 1.0 / 86400.0;

// The controller the screen makes while a test runs: it makes itself reachable.
class TProbeDataControl : public TfrmDataControl {
public:
    TProbeDataControl() { Current = this; }
    ~TProbeDataControl() override { Current = nullptr; }
    static inline TProbeDataControl* Current = nullptr;
};

// A reply row of Reply.cds.
struct TDataReply {
    int No = 0;
    TDateTime StartTime = 0;
    double Seconds = 3.0; // total time
    bool Answer = true;
    bool Clear = true;
};

// What a test screen opened from the data screen was given.
struct TStartedTest {
    bool Shown = false;
    QStringList Numbers;
    int UnitSize = 0;
    int UnitNo = 0;
    QString Subset;
};

// A history row of UnitHistory.cds.
struct TDataHistory {
    int Count = 10;
    int No = 1;
    QString SubCategory = QStringLiteral("全ての問題");
    TDateTime TestDate = 0;
    int TestCount = 10;
    int AnswerCount = 8;
    int ClearCount = 6;
};

class DataScreen : public testing::Test {
protected:
    DataScreen()
        : units_(ProgramUnits({"USubCategory", "UQuestion", "UQuestionControl", "UReply", "USetting", "UfrmSetting", "UReplyControl", "UAnswer", "UAnswerControl", "UUnitHistory", "UUnitHistoryControl", "UAnswerUnit", "UAnswerUnitControl", "UfrmJudge", "UfrmTest", "UfrmCategoryName", "UfrmCategoryCreate", "UfrmData"}))
    {
        DataControlClass = ClassOf<TProbeDataControl, TfrmDataControlClass>();
        program_.MakeDir(QStringLiteral("VEKTest"));
        SetNowFunction([this] { return clock_; });
        SetDialogAnswerer([this](const TDialogQuestion& question) {
            asked_ << question.Text;
            return answer_;
        });
    }

    ~DataScreen() override
    {
        for (const QPointer<QTimer>& poll : polls_)
            delete poll.data();
        ResetNowFunction();
        SetDialogAnswerer({});
    }

    // Once a test screen shows, notes what it was given and stops it with Esc (the stop
    // question answered as answer_ says, so set that to mrYes).
    void StopTestWhenShown(TStartedTest& started)
    {
        auto* poll = new QTimer;
        polls_.emplace_back(poll);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [poll, &started] {
            if (!frmTest || !frmTest->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            started.Shown = true;
            started.Numbers = TestControl->Questions->Lines();
            started.UnitSize = TestControl->UnitSize;
            started.UnitNo = TestControl->UnitNo;
            started.Subset = TestControl->SubCategoryName;
            QTest::keyClick(frmTest.get(), Qt::Key_Escape);
        });
        poll->start();
    }

    // Once the dialog of that form global shows, runs step on it.
    template <class FormPtr>
    void WhenShown(const FormPtr& form, std::function<void()> step)
    {
        auto* poll = new QTimer;
        polls_.emplace_back(poll);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [poll, &form, step] {
            if (!form || !form->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            step();
        });
        poll->start();
    }

    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    static TProbeDataControl& Control() { return *TProbeDataControl::Current; }
    static TfrmData& Form() { return *frmData; }

    // Questions "q1".."qn" and text answers "a1".."an", numbered 1..n.
    void WriteCategory(int n) const
    {
        std::vector<int> numbers;
        for (int no = 1; no <= n; ++no)
            numbers.push_back(no);
        WriteCategory(numbers);
    }

    // Questions and text answers of these numbers, in this stored order.
    void WriteCategory(const std::vector<int>& numbers, int answerType = 1) const
    {
        WriteTable(QStringLiteral("Question.cds"), numbers, u'q', 1);
        WriteTable(QStringLiteral("Answer.cds"), numbers, u'a', answerType);
    }

    void WriteTable(const QString& name, const std::vector<int>& numbers, QChar prefix, int type) const
    {
        std::vector<TRecordRow> rows;
        for (int no : numbers)
            rows.push_back({no, type, QString(prefix) + QString::number(no)});
        WriteRecordFile(Folder() + name, rows);
    }

    void WriteReplies(const std::vector<TDataReply>& rows) const
    {
        std::vector<TReplyRow> replies;
        for (const TDataReply& row : rows)
            replies.push_back({row.No, ReplyTypeText, ReplyStateWritten, row.StartTime + ScreenSecond,
                               row.StartTime, row.StartTime + row.Seconds * ScreenSecond,
                               QStringLiteral("r%1").arg(row.No), row.Clear, row.Answer});
        WriteReplyFile(Folder() + QStringLiteral("Reply.cds"), replies);
    }

    // Passed replies enough to finish the question (the clear count, 5 by default).
    std::vector<TDataReply> FinishingReplies(int no, int count = 5) const
    {
        std::vector<TDataReply> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back({no, base_ + (no * 100 + i) * 60 * ScreenSecond, 2.0, true, true});
        return rows;
    }

    // Rows without a test date are dated base_; every average is -3 s.
    void WriteHistory(const std::vector<TDataHistory>& rows) const
    {
        std::vector<THistoryRow> history;
        for (const TDataHistory& row : rows)
            history.push_back({row.Count, row.No, row.SubCategory, row.TestDate ? row.TestDate : base_,
                               -3.0 * ScreenSecond, row.TestCount, row.AnswerCount, row.ClearCount});
        WriteHistoryFile(Folder() + QStringLiteral("UnitHistory.cds"), history);
    }

    // Question numbers of the stored replies, and the stored history rows as
    // "count/no/subset".
    std::vector<int> StoredReplyNumbers() const
    {
        TClientDataSet ds;
        ds.LoadFromFile(Folder() + QStringLiteral("Reply.cds"));
        std::vector<int> numbers;
        for (ds.First(); !ds.Eof(); ds.Next())
            numbers.push_back(ds.FieldByName(QStringLiteral("NO")).AsInteger());
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
    QStringList StoredHistory() const
    {
        TClientDataSet ds;
        ds.LoadFromFile(Folder() + QStringLiteral("UnitHistory.cds"));
        QStringList rows;
        for (ds.First(); !ds.Eof(); ds.Next())
            rows << QStringLiteral("%1/%2/%3")
                        .arg(ds.FieldByName(QStringLiteral("COUNT")).AsInteger())
                        .arg(ds.FieldByName(QStringLiteral("NO")).AsInteger())
                        .arg(ds.FieldByName(QStringLiteral("SUBCATEGORY")).AsString());
        return rows;
    }

    TIniFile Ini() const { return TIniFile(Folder() + QStringLiteral("Control.inf")); }
    void WriteSubset(const QString& name, const QString& numbers) const
    {
        WriteSubFile(Folder() + name, numbers);
    }

    QString Log() const
    {
        const QString path = program_.FilePath(QStringLiteral("Vek.Log"));
        return QFile::exists(path) ? DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))) : QString();
    }

    // Opens the screen of the category; script runs inside the modal loop once the first
    // paint has run. Whatever is still open a second after the script has ended is
    // closed, so that a failing script ends the test instead of hanging it.
    void OpenScreen(const std::function<void()>& script, bool closeAtEnd = true)
    {
        QTimer closer;
        closer.setInterval(200);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* form = qobject_cast<TForm*>(QApplication::activeModalWidget()))
                form->Close();
        });
        bool ran = false;
        QTimer::singleShot(0, [&] {
            const bool ready = QTest::qWaitFor(
                [] { return TProbeDataControl::Current && TProbeDataControl::Current->Shown; }, 5000);
            EXPECT_TRUE(ready) << "the data screen never painted";
            if (ready) {
                ran = true;
                script();
                if (closeAtEnd && frmData && frmData->isVisible())
                    frmData->Close();
            }
            QTimer::singleShot(1000, &closer, [&] { closer.start(); });
        });
        DataControlClass->Execute(QStringLiteral("Test"), Folder());
        EXPECT_TRUE(ran);
        EXPECT_FALSE(frmData);
    }

    // The captions and sub-items of a list's rows, "caption|sub|sub...", captions trimmed.
    static QStringList Rows(TListView& list)
    {
        QStringList rows;
        for (int i = 0; i < list.ItemCount(); ++i) {
            const TListItem& item = list.Item(i);
            rows << (QStringList{item.Caption.trimmed()} + item.SubItems).join(u'|');
        }
        return rows;
    }
    static QStringList Captions(TListView& list)
    {
        QStringList captions;
        for (int i = 0; i < list.ItemCount(); ++i)
            captions << list.Item(i).Caption.trimmed();
        return captions;
    }
    static int ChartPoints(TChart& chart, int series) { return chart.Series(series).Count(); }

    TempProgramFolder program_;
    TUnits units_;
    TDateTime base_ = EncodeDateTime(2026, 3, 1, 9, 0, 0, 0);
    TDateTime clock_ = EncodeDateTime(2026, 12, 9, 10, 0, 0, 0);
    TModalResult answer_ = mrYes;
    QStringList asked_; // texts of the dialogs answered, in order
    std::vector<QPointer<QTimer>> polls_;
};
