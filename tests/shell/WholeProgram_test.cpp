// The whole program in the test's own process, driven as a user drives it: the news
// check against a real HTTP server, the menu, a category's data screen, a test answered
// by typing, the checking screen, back to the data screen and the menu, the end; and a
// second start that finds what the first one stored.
#include "ShellTestSupport.h"

#include "data/UConst.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/datetime/DateTime.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Memo.h"
#include "screens/data/UfrmData.h"
#include "screens/startup/UfrmInfo.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"
#include "shell/MainProgram.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/CategoryFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QMap>

namespace {

const QMap<QString, QString> Words = {
    {QStringLiteral("犬"), QStringLiteral("dog")},
    {QStringLiteral("猫"), QStringLiteral("cat")},
    {QStringLiteral("鳥"), QStringLiteral("bird")},
};

class WholeProgram : public ProgramRun {
protected:
    WholeProgram()
    {
        SetNowFunction([this] { return clock_; });
        WriteCategoryFolder(Folder, QStringLiteral("VEK数学"), 2);
        std::vector<TRecordRow> questions;
        std::vector<TRecordRow> answers;
        int no = 0;
        for (const QString& word : {QStringLiteral("犬"), QStringLiteral("猫"), QStringLiteral("鳥")}) {
            ++no;
            questions.push_back({no, 1, word});
            answers.push_back({no, 1, Words[word]});
        }
        Folder.MakeDir(QStringLiteral("VEK英単語"));
        WriteRecordFile(Folder.FilePath(QStringLiteral("VEK英単語/Question.cds")), questions);
        WriteRecordFile(Folder.FilePath(QStringLiteral("VEK英単語/Answer.cds")), answers);
    }
    ~WholeProgram() override { ResetNowFunction(); }

    static QWidget* Notice() { return qobject_cast<TfrmInfo*>(QApplication::activeModalWidget()); }
    static QWidget* DataScreen() { return frmData.get(); }

    // On the menu: notes its rows, selects the category by a click and starts it with
    // Enter; back on the menu, notes the row still selected and closes it with Esc.
    void StartCategoryFromMenu(const QString& caption, const std::function<void()>& onDataScreen)
    {
        WhenActive(DataScreen, onDataScreen);
        WhenActive(Menu, [this, caption] {
            Events << QStringLiteral("menu ") + MenuRows();
            TListView& list = *frmMenu->lvCategory;
            int row = -1;
            for (int i = 0; i < list.ItemCount(); ++i)
                if (list.Item(i).Caption == caption)
                    row = i;
            ASSERT_GE(row, 0);
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                              list.visualRect(list.model()->index(row, 0)).center());
            QTest::keyClick(list.viewport(), Qt::Key_Return); // returns when the data screen has closed
            Events << QStringLiteral("menu again, selected ") + list.Item(list.ItemIndex()).Caption;
            NoteMainWindowClosing();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frmMenu.get(), Qt::Key_Escape);
        });
    }

    // The data screen's unit list, its history rows and reply count of the selected answer.
    static QString DataScreenState()
    {
        TfrmData& form = *frmData;
        return QStringLiteral("units tested %1, history rows %2")
            .arg(form.lvAnswerUnit->Item(0).SubItems.value(0))
            .arg(form.lvUnitHistory->ItemCount());
    }

    // The test screen: each question answered by typing, a second after it shows; the
    // second one wrongly.
    void AnswerQuestionsByTyping()
    {
        auto& poll = typing_.emplace_back(std::make_unique<QTimer>());
        QObject::connect(poll.get(), &QTimer::timeout, [this] {
            if (!frmTest || !frmTest->isVisible() || answered_ >= 3
                || frmTest->lblCount->text() != QStringLiteral("件数：%1／3").arg(answered_ + 1))
                return;
            const QString question = frmTest->memQuestion->toPlainText().trimmed();
            const QString reply = answered_ == 1 ? QStringLiteral("wrong") : Words.value(question);
            Events << QStringLiteral("question %1 typed %2").arg(question, reply);
            clock_ += 1.0 / 86400.0;
            QTest::keyClicks(frmTest->edtKeyInput, reply);
            clock_ += 1.0 / 86400.0;
            ++answered_;
            QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        });
        poll->start(20);
    }

    // The checking screen: ○ (Enter) where the reply is the answer, × (Esc) elsewhere.
    void MarkReplies()
    {
        WhenActive([] { return static_cast<QWidget*>(frmJudge.get()); }, [this] {
            for (int i = 0; i < 3 && frmJudge; ++i) {
                const QString answer = frmJudge->lblAnswerText->text();
                const QString reply = frmJudge->edtKeyInput->text();
                const bool right = answer == reply;
                Events << QStringLiteral("check %1|%2 %3").arg(answer, reply, right ? u"○" : u"×");
                QWidget* target = frmJudge->focusWidget() ? frmJudge->focusWidget() : frmJudge.get();
                QTest::keyClick(target, right ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
    }

    QString Category(const char* file) const
    {
        return Folder.FilePath(QStringLiteral("VEK英単語/") + QString::fromLatin1(file));
    }

    TDateTime clock_ = EncodeDateTime(2026, 12, 9, 10, 0, 0, 0);

private:
    int answered_ = 0;
    std::vector<std::unique_ptr<QTimer>> typing_;
};

} // namespace

TEST_F(WholeProgram, FromTheNewsCheckThroughATypedAndCheckedTestToTheEndAndAgain)
{
    // The news: a notice the check downloads and then shows.
    PointAtServer();
    Server.Route("/files/news.txt", {200, EncodeAnsi(QStringLiteral("今月の新しい問題"))});
    Serve("/news/info.txt", QStringLiteral("File=N\r\nN=%1,news.txt\r\nInfo=news.txt").arg(Url("/files/news.txt")));
    WhenActive(Notice, [this] {
        auto* notice = static_cast<TfrmInfo*>(QApplication::activeModalWidget());
        Events << QStringLiteral("notice ") + notice->memInfo->toPlainText();
        QTest::mouseClick(notice->btnOK, Qt::LeftButton);
    });
    AnswerQuestionsByTyping();
    MarkReplies();
    StartCategoryFromMenu(QStringLiteral("英単語"), [this] {
        ASSERT_TRUE(QTest::qWaitFor([] { return frmData->lvAnswerUnit->ItemIndex() >= 0; }, 5000));
        Events << QStringLiteral("data screen ") + frmData->Caption() + QStringLiteral(", ") + DataScreenState();
        QTest::keyClick(frmData->lvAnswerUnit, Qt::Key_Return); // returns when the test has ended
        Events << QStringLiteral("data screen again, ") + DataScreenState();
        QTest::keyClick(frmData->focusWidget() ? frmData->focusWidget() : frmData.get(), Qt::Key_Escape);
    });

    EXPECT_EQ(MainProgram(), 0);
    ASSERT_GE(Events.size(), 10) << Events.join(u'\n').toStdString();
    EXPECT_EQ(Events.mid(0, 3), QStringList({QStringLiteral("notice 今月の新しい問題"), QStringLiteral("menu 英単語,数学"),
                                             QStringLiteral("data screen 英単語, units tested 0, history rows 0")}))
        << Events.join(u'\n').toStdString();
    // The questions come in the test's order; the second is answered wrongly and marked ×.
    QStringList typed = Events.filter(QStringLiteral("question "));
    ASSERT_EQ(typed.size(), 3);
    QStringList checked = Events.filter(QStringLiteral("check "));
    ASSERT_EQ(checked.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString question = typed[i].section(u' ', 1, 1);
        EXPECT_EQ(checked[i], QStringLiteral("check %1|%2 %3")
                                  .arg(Words[question], i == 1 ? QStringLiteral("wrong") : Words[question],
                                       i == 1 ? QStringLiteral("×") : QStringLiteral("○")));
    }
    EXPECT_EQ(Events.mid(9), QStringList({QStringLiteral("data screen again, units tested 1, history rows 1"),
                                          QStringLiteral("menu again, selected 英単語"),
                                          QStringLiteral("main window closed")}));
    EXPECT_EQ(LogLines(), QStringList());
    EXPECT_FALSE(frmMenu);
    EXPECT_FALSE(frmData);

    // The files hold the test: three replies, two of them right, and one history row.
    TClientDataSet replies;
    replies.LoadFromFile(Category("Reply.cds"));
    EXPECT_EQ(replies.RecordCount(), 3);
    int right = 0;
    for (replies.First(); !replies.Eof(); replies.Next())
        right += replies.FieldByName(QStringLiteral("ANSWER")).AsBoolean() ? 1 : 0;
    EXPECT_EQ(right, 2);
    TClientDataSet history;
    history.LoadFromFile(Category("UnitHistory.cds"));
    ASSERT_EQ(history.RecordCount(), 1);
    EXPECT_EQ(history.FieldByName(QStringLiteral("TESTCOUNT")).AsInteger(), 3);
    EXPECT_EQ(history.FieldByName(QStringLiteral("ANSWERCOUNT")).AsInteger(), 2);
    EXPECT_EQ(history.FieldByName(QStringLiteral("SUBCATEGORY")).AsString(), QStringLiteral("全ての問題"));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("英単語")), 1);

    // Started again: the menu counts the category once, its data screen shows the test.
    Events.clear();
    Server.Route("/news/info.txt", {404, {}});
    StartCategoryFromMenu(QStringLiteral("英単語"), [this] {
        ASSERT_TRUE(QTest::qWaitFor([] { return frmData->lvAnswerUnit->ItemIndex() >= 0; }, 5000));
        Events << QStringLiteral("data screen ") + DataScreenState();
        frmData->Close();
    });
    EXPECT_EQ(MainProgram(), 0);
    EXPECT_EQ(Events, QStringList({QStringLiteral("menu 英単語,数学"),
                                   QStringLiteral("data screen units tested 1, history rows 1"),
                                   QStringLiteral("menu again, selected 英単語"),
                                   QStringLiteral("main window closed")}));
    // Only a data screen that started a test counts.
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("英単語")), 1);
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("数学")), 0);
}
