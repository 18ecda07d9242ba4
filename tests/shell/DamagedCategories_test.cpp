// The program on a program folder whose categories hold damaged files, in the test's own
// process: the menu lists every category and opens each one the user starts (or says
// why it cannot), each damaged file is one log line when it is read, the good category
// is untouched, and the program ends as usual.
#include "ShellTestSupport.h"

#include "platform/vcl/Dialogs.h"
#include "screens/data/UfrmData.h"
#include "shell/MainProgram.h"

TEST_F(ProgramRun, DamagedCategoryFilesAreOneLogLineEachAndTheMenuOpensEveryCategory)
{
    WriteDamagedCategories();
    const QByteArray goodAnswers = Folder.Read(QStringLiteral("VEKGood/Answer.cds"));
    const TDialogAnswerer previous = SetDialogAnswerer([this](const TDialogQuestion& question) {
        Events << QStringLiteral("message ") + question.Text.section(u'\n', 0, 0).trimmed();
        return mrOk;
    });
    // Each data screen notes how many questions it lists and closes with Esc.
    QTimer dataScreens;
    QPointer<QWidget> handled;
    QObject::connect(&dataScreens, &QTimer::timeout, [&] {
        if (!frmData || frmData.get() == handled || QApplication::activeModalWidget() != frmData.get())
            return;
        handled = frmData.get();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frmData.get()));
        Events << QStringLiteral("data screen %1 with %2 questions").arg(frmData->Caption()).arg(frmData->lvAnswer->ItemCount());
        QTest::keyClick(frmData->focusWidget() ? frmData->focusWidget() : frmData.get(), Qt::Key_Escape);
    });
    dataScreens.start(20);
    QStringList logAtMenu;
    WhenActive(Menu, [&] {
        logAtMenu = LogLines();
        Events << QStringLiteral("menu ") + MenuRows();
        TListView& list = *frmMenu->lvCategory;
        for (int row = 0; row < list.ItemCount(); ++row) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(row, 0)).center());
            QTest::keyClick(list.viewport(), Qt::Key_Return); // returns when the data screen has closed
        }
        NoteMainWindowClosing();
        QTest::keyClick(list.viewport(), Qt::Key_Escape);
    });
    EXPECT_EQ(MainProgram(), 0);
    SetDialogAnswerer(previous);

    EXPECT_EQ(Events, QStringList({QStringLiteral("menu BadAnswer,BadControl,BadSubset,EmptyQuestion,Good"),
                                   QStringLiteral("message カテゴリー「BadAnswer」のデータを読み込めないため、開けません。"),
                                   QStringLiteral("data screen BadControl with 3 questions"),
                                   QStringLiteral("data screen BadSubset with 3 questions"),
                                   QStringLiteral("message カテゴリー「EmptyQuestion」のデータを読み込めないため、開けません。"),
                                   QStringLiteral("data screen Good with 3 questions"),
                                   QStringLiteral("main window closed")}));
    EXPECT_EQ(Folder.Read(QStringLiteral("VEKGood/Answer.cds")), goodAnswers);
    // At the menu's start only the answers are read (the list's counts); opening reads
    // the rest. Each damaged file is one line where it is read.
    ASSERT_EQ(logAtMenu.size(), 1) << logAtMenu.join(u'\n').toStdString();
    EXPECT_TRUE(logAtMenu[0].contains(QStringLiteral("VEKBadAnswer/Answer.cds"))) << logAtMenu[0].toStdString();
    const QStringList opened = LogLines().mid(1);
    ASSERT_EQ(opened.size(), 4) << opened.join(u'\n').toStdString();
    EXPECT_TRUE(opened[0].contains(QStringLiteral("VEKBadAnswer/Answer.cds"))) << opened[0].toStdString();
    EXPECT_TRUE(opened[1].contains(QStringLiteral("\"Control.inf\""))) << opened[1].toStdString();
    EXPECT_TRUE(opened[2].contains(QStringLiteral("\"復習.sub\""))) << opened[2].toStdString();
    EXPECT_TRUE(opened[3].contains(QStringLiteral("VEKEmptyQuestion/Question.cds"))) << opened[3].toStdString();
}
