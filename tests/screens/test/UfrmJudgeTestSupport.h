#pragma once
// Shared by the checking-screen tests: a fresh program folder with a category whose
// Question.cds, Answer.cds and Control.inf are real files, the stores opened as the data
// screen opens them, unjudged replies added as the test screen adds them, and a modal run
// of the screen with a step that drives it once it is on screen.

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "screens/test/UfrmJudge.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// A row of Question.cds or Answer.cds.
struct TJudgeRow {
    int No = 0;
    int Type = 1;
    QString Data;
};

// A stored record of Reply.cds.
struct TStoredReply {
    int No = 0;
    int State = 0;
    bool Answer = false;
    bool Clear = false;
};

inline constexpr TDateTime JudgeSecond = 1.0 / 86400.0;
inline constexpr TDateTime JudgeStart = 46000.5; // when the first question appeared

class JudgeScreen : public testing::Test {
protected:
    JudgeScreen()
        : units_(ProgramUnits({"UQuestion", "UQuestionControl", "UReply", "USetting",
                               "UReplyControl", "UAnswer", "UAnswerControl", "UfrmJudge"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }

    void WriteRows(const QString& fileName, const std::vector<TJudgeRow>& rows) const
    {
        WriteRecordFile(Folder() + fileName, RecordRows(rows));
    }

    // Text questions "q1".."qn" and text answers "a1".."an".
    void WriteTextCategory(int n) const
    {
        std::vector<TJudgeRow> questions;
        std::vector<TJudgeRow> answers;
        for (int no = 1; no <= n; ++no) {
            questions.push_back({no, 1, QStringLiteral("q%1").arg(no)});
            answers.push_back({no, 1, QStringLiteral("a%1").arg(no)});
        }
        WriteRows(QStringLiteral("Question.cds"), questions);
        WriteRows(QStringLiteral("Answer.cds"), answers);
    }

    // Control.inf of the category from UTF-8 text, stored in CP932.
    void WriteControlInf(const char* utf8) const
    {
        program_.Write(QStringLiteral("VEKTest/Control.inf"), EncodeAnsi(QString::fromUtf8(utf8)));
    }
    QString ControlInf() const
    {
        return DecodeAnsi(program_.Read(QStringLiteral("VEKTest/Control.inf")));
    }

    // Opens the category as the data screen does: settings, questions, replies, answers.
    void Open() const
    {
        SettingClass->CreateInstance(Folder());
        QuestionControlClass->CreateInstance(Folder());
        ReplyControlClass->CreateInstance(Folder());
        AnswerControlClass->CreateInstance(Folder());
    }

    // An unjudged reply to question `no` as the test screen records it: the question
    // appeared `slot` minutes after JudgeStart, the reply began after `begun` seconds and
    // was registered after `total` seconds.
    void AddReply(int type, int no, int slot, double begun, double total, const QString& data) const
    {
        const TDateTime start = JudgeStart + slot * 60 * JudgeSecond;
        ReplyControl->AddRecord(type, no, start + begun * JudgeSecond, start, start + total * JudgeSecond, data);
    }
    void AddTyped(int no, int slot, double total, const QString& text) const
    {
        AddReply(ReplyTypeText, no, slot, total / 2, total, text);
    }
    // A reply never begun: it took the full ten seconds.
    void AddEmpty(int no, int slot) const { AddReply(ReplyTypeText, no, slot, 10, 10, QString()); }

    // A drawn reply picture in ImageAnswer: white with a black line across; its path.
    QString WriteReplyPicture(const QString& name) const
    {
        QImage picture(550, 300, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int x = 20; x < 530; ++x)
            picture.setPixelColor(x, 250, Qt::black);
        program_.MakeDir(QStringLiteral("VEKTest/ImageAnswer"));
        const QString path = Folder() + QStringLiteral("ImageAnswer/") + name;
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path;
    }

    // Runs the screen modally; step runs once the screen is on screen. A screen the step
    // leaves open is closed after three seconds, failing the test.
    void Run(const std::function<void()>& step)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QPointer<TfrmJudge> form = frmJudge.get();
            ASSERT_TRUE(form);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form.data()));
            step();
            ran = true;
            QTimer::singleShot(3000, [form] {
                if (form && form->isVisible()) {
                    ADD_FAILURE() << "the checking screen stayed open";
                    form->done(mrCancel);
                }
            });
        });
        JudgeControl->Execute(questions_, Folder());
        EXPECT_TRUE(ran);
        EXPECT_FALSE(frmJudge);
    }

    // A key typed into the widget that has the focus (the form when none has).
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : frmJudge.get(), key, modifiers);
    }

    static TfrmJudge& Form() { return *frmJudge; }
    static int QueueIndex() { return ReplyControl->JudgeIndex; }
    static const TReply& Queued(int index) { return *ReplyControl->JudgeList.at(static_cast<std::size_t>(index)); }

    // The records of Reply.cds, in stored order, after the store was replaced (which
    // writes its judged replies).
    std::vector<TStoredReply> StoredReplies() const
    {
        ReplyControlClass->CreateInstance(Folder());
        TClientDataSet ds;
        ds.LoadFromFile(Folder() + QStringLiteral("Reply.cds"));
        std::vector<TStoredReply> rows;
        for (ds.First(); !ds.Eof(); ds.Next())
            rows.push_back({ds.FieldByName(QStringLiteral("NO")).AsInteger(),
                            ds.FieldByName(QStringLiteral("STATE")).AsInteger(),
                            ds.FieldByName(QStringLiteral("ANSWER")).AsBoolean(),
                            ds.FieldByName(QStringLiteral("CLEAR")).AsBoolean()});
        return rows;
    }

    TempProgramFolder program_;
    TUnits units_;
    TStringList questions_;
};

// The pen of the tablet tests, owned by the application so that it goes before it.
inline const QPointingDevice& JudgePen()
{
    static const QPointingDevice* pen =
        new QPointingDevice(QStringLiteral("judge pen"), 9, QInputDevice::DeviceType::Stylus,
                            QPointingDevice::PointerType::Pen,
                            QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3,
                            QString(), QPointingDeviceUniqueId(), qApp);
    return *pen;
}

// A tablet event of the pen over the widget at `at`, then the packets it announced
// delivered.
inline void SendPen(QWidget* receiver, QEvent::Type type, QPointF at, qreal pressure)
{
    const Qt::MouseButton button = type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton;
    QTabletEvent event(type, &JudgePen(), at, receiver->mapToGlobal(at), pressure, 0, 0, 0, 0, 0,
                       Qt::NoModifier, button, buttons);
    QCoreApplication::sendEvent(receiver, &event);
    QCoreApplication::processEvents();
}

inline std::ostream& operator<<(std::ostream& os, const TStoredReply& r)
{
    return os << "{No " << r.No << ", state " << r.State << ", answer " << r.Answer << ", clear " << r.Clear << "}";
}

inline bool operator==(const TStoredReply& a, const TStoredReply& b)
{
    return a.No == b.No && a.State == b.State && a.Answer == b.Answer && a.Clear == b.Clear;
}
