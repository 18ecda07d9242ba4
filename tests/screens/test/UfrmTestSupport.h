#pragma once
// Shared by the test-screen tests: a fresh program folder with one category of text
// questions and answers written by the dataset engine, every unit the screens need
// started and the category opened as the data screen opens it; the wall clock and the
// steady clock, both set by the test;
// a runner that executes a test with a script running inside the screen's modal loop,
// and a driver of the checking screen by its keys.

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/datetime/DateTime.h"
#include "platform/datetime/SteadyClock.h"
#include "platform/files/Files.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

inline constexpr TDateTime TestSecond = 1.0 / 86400.0;

// One row of Reply.cds.
struct TScreenReply {
    int No = 0;
    int Type = 0;
    int State = 0;
    TDateTime ReplyStart = 0;
    TDateTime StartTime = 0;
    TDateTime EndTime = 0;
    QString Data;
    bool Clear = false;
    bool Answer = false;
};

// One row of UnitHistory.cds.
struct TScreenHistory {
    int Count = 0;
    int No = 0;
    QString SubCategory;
    TDateTime TestDate = 0;
    TDateTime Average = 0;
    int TestCount = 0;
    int AnswerCount = 0;
    int ClearCount = 0;
};

// The pen of the tablet events; it goes with the application object, since a device
// must not outlive it.
inline const QPointingDevice& TabletPen()
{
    static const QPointingDevice* pen = new QPointingDevice(
        "test pen", 7, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3, QString(),
        QPointingDeviceUniqueId(), qApp);
    return *pen;
}

// A tablet event on the form at a point of the ink area; its packet then arrives.
inline void SendTablet(QEvent::Type type, QPoint at, qreal pressure)
{
    const QPointF global = frmTest->imgPen->mapToGlobal(QPointF(at));
    const QPointF local = frmTest->mapFromGlobal(global);
    const Qt::MouseButton button = type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton;
    QTabletEvent event(type, &TabletPen(), local, global, pressure, 0, 0, 0, 0, 0, Qt::NoModifier, button, buttons);
    QCoreApplication::sendEvent(frmTest.get(), &event);
    QCoreApplication::processEvents();
}

inline bool IsBlack(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::black);
}

// Milliseconds between two date-time values, rounded.
inline qint64 MsBetween(TDateTime from, TDateTime to)
{
    return qRound64((to - from) * 86'400'000.0);
}

class TestScreen : public testing::Test {
protected:
    TestScreen()
        : units_(ProgramUnits({"UQuestion", "UQuestionControl", "UReply", "USetting",
                               "UReplyControl", "UAnswer", "UAnswerControl", "UUnitHistory",
                               "UUnitHistoryControl", "UfrmJudge", "UfrmTest"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
        SetNowFunction([this] { return clock_; });
        SetSteadyFunction([this] { return steadyMs_; });
    }

    ~TestScreen() override
    {
        ResetSteadyFunction();
        ResetNowFunction();
        SetDialogAnswerer({});
    }

    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }

    // Questions 1..n as text "qk", answered "ak" as text; the category then opened.
    void WriteCategory(int n) const
    {
        WriteTable(QStringLiteral("Question.cds"), n, u'q');
        WriteTable(QStringLiteral("Answer.cds"), n, u'a');
        Open();
    }

    // Makes the category current as the data screen does.
    void Open() const
    {
        SettingClass->CreateInstance(Folder());
        UnitHistoryControlClass->CreateInstance(Folder());
        QuestionControlClass->CreateInstance(Folder());
        ReplyControlClass->CreateInstance(Folder());
        AnswerControlClass->CreateInstance(Folder());
    }

    // The stand-in tablet library in the program folder, where the tablet component
    // looks first.
    void InstallTabletLibrary() const
    {
        program_.Write("libwintab32.so", ReadFileBytes(QStringLiteral(MORIVA_WINTAB_LIBRARY)));
    }

    // Time passes: both clocks go forward.
    void Advance(double seconds)
    {
        clock_ += seconds * TestSecond;
        steadyMs_ += qRound64(seconds * 1000);
    }

    // The system's date and time are changed; the steady clock does not notice.
    void StepWallClock(double seconds) { clock_ += seconds * TestSecond; }

    // A key typed on the keyboard into a window: through the window system, which gives it
    // to the window's focus widget unless a modal window blocks the window.
    static void Type(QWidget* window, Qt::Key key) { QTest::keyClick(window->windowHandle(), key); }

    // Runs a test of the numbers with script inside the screen's modal loop. Whatever is
    // still open once the script has ended and a second has passed is closed, so that a
    // failing script ends the test instead of hanging it.
    void RunTest(const QStringList& numbers, std::function<void()> script, int unitSize = 3,
                 int unitNo = 1, const QString& subset = QStringLiteral("全ての問題"))
    {
        remaining_.Clear();
        for (const QString& number : numbers)
            remaining_.Add(number);
        QTimer closer;
        closer.setInterval(200);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* form = qobject_cast<TForm*>(QApplication::activeModalWidget()))
                form->SetModalResult(mrCancel);
        });
        QTimer::singleShot(0, [&] {
            script();
            QTimer::singleShot(1000, &closer, [&] { closer.start(); });
        });
        TestControl->Execute(unitSize, unitNo, Folder(), subset, remaining_);
    }

    // Waits until question k of n is on screen.
    static bool WaitForQuestion(int k, int n, int timeoutMs = 5000)
    {
        const QString caption = QStringLiteral("件数：%1／%2").arg(k).arg(n);
        return QTest::qWaitFor([&] { return frmTest && frmTest->lblCount->text() == caption; },
                               timeoutMs);
    }

    // Once the checking screen is shown, presses the keys on it one after another.
    void WhenJudge(std::vector<Qt::Key> keys)
    {
        auto* poll = new QTimer;
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [this, poll, keys] {
            if (!frmJudge || !frmJudge->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            for (Qt::Key key : keys) {
                if (!frmJudge)
                    break;
                judgeShown_ << frmJudge->lblAnswerText->text() + u'|' +
                                   frmJudge->edtKeyInput->text() + u'|' +
                                   frmJudge->lblAnswer->text();
                QWidget* target = frmJudge->focusWidget() ? frmJudge->focusWidget() : frmJudge.get();
                QTest::keyClick(target, key);
            }
        });
        poll->start();
    }

    // Types text into the reply edit and registers it with Enter.
    static void TypeAndEnter(const QString& text)
    {
        QTest::keyClicks(frmTest->edtKeyInput, text);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
    }

    // The rows of Reply.cds in the order the questions appeared.
    std::vector<TScreenReply> StoredReplies() const
    {
        TClientDataSet ds;
        ds.LoadFromFile(Folder() + QStringLiteral("Reply.cds"));
        std::vector<TScreenReply> rows;
        for (ds.First(); !ds.Eof(); ds.Next())
            rows.push_back({Int(ds, "NO"), Int(ds, "TYPE"), Int(ds, "STATE"), Time(ds, "REPLYSTART"),
                            Time(ds, "STARTTIME"), Time(ds, "ENDTIME"),
                            ds.FieldByName(QStringLiteral("DATA")).AsString(),
                            ds.FieldByName(QStringLiteral("CLEAR")).AsBoolean(),
                            ds.FieldByName(QStringLiteral("ANSWER")).AsBoolean()});
        std::sort(rows.begin(), rows.end(), [](const TScreenReply& a, const TScreenReply& b) {
            return a.StartTime < b.StartTime;
        });
        return rows;
    }

    // The rows of UnitHistory.cds in stored order.
    std::vector<TScreenHistory> StoredHistory() const
    {
        TClientDataSet ds;
        ds.LoadFromFile(Folder() + QStringLiteral("UnitHistory.cds"));
        std::vector<TScreenHistory> rows;
        for (ds.First(); !ds.Eof(); ds.Next())
            rows.push_back({Int(ds, "COUNT"), Int(ds, "NO"),
                            ds.FieldByName(QStringLiteral("SUBCATEGORY")).AsString(),
                            Time(ds, "TESTDATE"), Time(ds, "AVERAGE"), Int(ds, "TESTCOUNT"),
                            Int(ds, "ANSWERCOUNT"), Int(ds, "CLEARCOUNT")});
        return rows;
    }

    QByteArray Bytes(const QString& name) const { return program_.Read(QStringLiteral("VEKTest/") + name); }

    // The lines of the program's log Vek.Log, none when there is no log.
    QStringList LogLines() const
    {
        if (!QFile::exists(program_.FilePath(QStringLiteral("Vek.Log"))))
            return {};
        return DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    TempProgramFolder program_;
    TUnits units_;
    TDateTime clock_ = EncodeDateTime(2026, 12, 9, 10, 0, 0, 0);
    qint64 steadyMs_ = 1'000'000;
    TStringList remaining_;
    QStringList judgeShown_; // answer|typed reply|mark of each reply the judge keys met

private:
    static int Int(TClientDataSet& ds, const char* name)
    {
        return ds.FieldByName(QString::fromLatin1(name)).AsInteger();
    }
    static TDateTime Time(TClientDataSet& ds, const char* name)
    {
        return ds.FieldByName(QString::fromLatin1(name)).AsDateTime();
    }

    void WriteTable(const QString& name, int n, QChar prefix) const
    {
        std::vector<std::pair<int, QString>> rows;
        for (int no = 1; no <= n; ++no)
            rows.emplace_back(1, QString(prefix) + QString::number(no));
        WriteRows(name, rows);
    }

protected:
    // Rows numbered from 1, each a type and its data, as Question.cds or Answer.cds.
    void WriteRows(const QString& name, const std::vector<std::pair<int, QString>>& rows) const
    {
        std::vector<TRecordRow> records;
        int no = 0;
        for (const auto& [type, data] : rows)
            records.push_back({++no, type, data});
        WriteRecordFile(Folder() + name, records);
    }
};
