#include "VclTestSupport.h"
#include "platform/vcl/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TShownBox {
    QString Caption, Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    QString Default;
};

// Once the message box is up: records it, then presses key (with modifiers) in it.
void AnswerWithKey(TShownBox& shown, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    WhenModal([&shown, key, modifiers] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->activateWindow(); // Alt+letter works as a shortcut of the active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        shown.Caption = box->windowTitle();
        shown.Text = box->text();
        shown.Icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            shown.Buttons << button->text();
        if (box->defaultButton())
            shown.Default = box->defaultButton()->text();
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        QTest::keyClick(target, key, modifiers);
    });
}

TEST(MessageDlg, WarningWithYesAndNoAnsweredByItsLetters)
{
    TShownBox shown;
    AnswerWithKey(shown, Qt::Key_N);
    EXPECT_EQ(MessageDlg("中止しますか？", TMsgDlgType::mtWarning, mbYesNo), mrNo);
    EXPECT_EQ(shown.Caption, "警告");
    EXPECT_EQ(shown.Text, "中止しますか？");
    EXPECT_EQ(shown.Icon, QMessageBox::Warning);
    EXPECT_EQ(shown.Buttons.join(" "), "はい(&Y) いいえ(&N)");
    EXPECT_EQ(shown.Default, "はい(&Y)");
    AnswerWithKey(shown, Qt::Key_Y);
    EXPECT_EQ(MessageDlg("中止しますか？", TMsgDlgType::mtWarning, mbYesNo), mrYes);
    AnswerWithKey(shown, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(MessageDlg("中止しますか？", TMsgDlgType::mtWarning, mbYesNo), mrNo);
}

TEST(MessageDlg, EnterAnswersYesAndEscAnswersNo)
{
    TShownBox shown;
    AnswerWithKey(shown, Qt::Key_Return);
    EXPECT_EQ(MessageDlg("全ての回答が削除されます。", TMsgDlgType::mtInformation, mbYesNo), mrYes);
    EXPECT_EQ(shown.Caption, "情報");
    EXPECT_EQ(shown.Icon, QMessageBox::Information);
    AnswerWithKey(shown, Qt::Key_Escape);
    EXPECT_EQ(MessageDlg("全ての回答が削除されます。", TMsgDlgType::mtInformation, mbYesNo), mrNo);
}

TEST(MessageDlg, ErrorWithTheSingleYesButton)
{
    TShownBox shown;
    AnswerWithKey(shown, Qt::Key_Return);
    EXPECT_EQ(MessageDlg("ファイルの書き込みに失敗しました。", TMsgDlgType::mtError, mbYes), mrYes);
    EXPECT_EQ(shown.Caption, "エラー");
    EXPECT_EQ(shown.Icon, QMessageBox::Critical);
    EXPECT_EQ(shown.Buttons.join(" "), "はい(&Y)");
}

TEST(MessageDlg, LineBreaksOfTheTextAreShownAsLines)
{
    TShownBox shown;
    AnswerWithKey(shown, Qt::Key_Y);
    MessageDlg("始めから行いますか？\r\n（回答履歴が削除されます）", TMsgDlgType::mtConfirmation, mbYesNo);
    EXPECT_EQ(shown.Caption, "確認");
    EXPECT_EQ(shown.Text, "始めから行いますか？\n（回答履歴が削除されます）");
}

TEST(MessageBox, YesNoWithExclamationAndNoAsDefault)
{
    TShownBox shown;
    const unsigned flags = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    AnswerWithKey(shown, Qt::Key_Return);
    EXPECT_EQ(MessageBox("カテゴリーを削除しますか？", "終了確認", flags), IDNO);
    EXPECT_EQ(shown.Caption, "終了確認");
    EXPECT_EQ(shown.Icon, QMessageBox::Warning);
    EXPECT_EQ(shown.Default, "いいえ(&N)");
    AnswerWithKey(shown, Qt::Key_Y);
    EXPECT_EQ(MessageBox("カテゴリーを削除しますか？", "終了確認", flags), IDYES);
}

TEST(DialogAnswerer, AnswersInsteadOfTheDialogAndSeesTheQuestion)
{
    QList<TDialogQuestion> asked;
    const TDialogAnswerer previous = SetDialogAnswerer([&](const TDialogQuestion& question) {
        asked << question;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        return asked.size() == 1 ? mrNo : mrYes;
    });
    EXPECT_EQ(MessageDlg("上書きしますか？", TMsgDlgType::mtWarning, mbYesNo), mrNo);
    EXPECT_EQ(MessageBox("削除しますか？", "終了確認", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2), IDYES);
    SetDialogAnswerer(previous);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].Caption, "警告");
    EXPECT_EQ(asked[0].Text, "上書きしますか？");
    EXPECT_EQ(asked[0].Buttons, QStringList({"はい(&Y)", "いいえ(&N)"}));
    EXPECT_EQ(asked[1].Caption, "終了確認");
    EXPECT_EQ(asked[1].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(asked[1].DefaultButton, "いいえ(&N)");
}

} // namespace
