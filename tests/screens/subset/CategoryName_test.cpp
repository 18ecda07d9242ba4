// The subset name dialog: the OK rule, the reasons it shows, the keys and the name it
// returns.
#include "tests/screens/subset/CategoryEditorSupport.h"

namespace {

class NameDialog : public testing::Test {
protected:
    NameDialog()
        : units_(ProgramUnits({"UfrmCategoryName"}))
    {
    }

    // Runs the dialog with the proposed name and the taken names; step drives it once it
    // is on screen. A dialog the step leaves open is closed after three seconds, failing
    // the test.
    int Run(QString& name, const QString& names, const std::function<void(TfrmCategoryName&)>& step)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QPointer<TfrmCategoryName> form = frmCategoryName.get();
            ASSERT_TRUE(form);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form.data()));
            step(*form);
            ran = true;
            QTimer::singleShot(3000, [form] {
                if (form && form->isVisible()) {
                    ADD_FAILURE() << "the name dialog stayed open";
                    form->done(mrCancel);
                }
            });
        });
        const int result = CategoryNameControlClass->Execute(name, names);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(frmCategoryName);
        EXPECT_FALSE(CategoryNameControl);
        return result;
    }

    // Replaces the edit's text by typing (text beyond ASCII, which the test keyboard does
    // not have, as an input method commits it).
    static void Type(TfrmCategoryName& dialog, const QString& text)
    {
        dialog.edtName->selectAll();
        QTest::keyClick(dialog.edtName, Qt::Key_Delete);
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii)
            QTest::keyClicks(dialog.edtName, text);
        else
            dialog.edtName->insert(text);
    }

    TUnits units_;
};

const QString Taken = QStringLiteral("Kanji\r\nVerbs\r\n");

} // namespace

TEST_F(NameDialog, OpensWithTheTrimmedNameAndOkDisabledUntilTheFirstChange)
{
    QString name = QStringLiteral("  Nouns ");
    const int result = Run(name, Taken, [](TfrmCategoryName& dialog) {
        EXPECT_EQ(dialog.Caption(), QStringLiteral("カテゴリー名称"));
        EXPECT_EQ(dialog.ClientWidth(), 348);
        EXPECT_EQ(dialog.ClientHeight(), 65);
        EXPECT_EQ(dialog.edtName->text(), QStringLiteral("Nouns"));
        EXPECT_EQ(dialog.edtName->maxLength(), 250);
        EXPECT_FALSE(dialog.btnOK->isEnabled()); // an acceptable name, not yet changed
        EXPECT_TRUE(dialog.lblHint->text().isEmpty());
        QTest::keyClick(dialog.edtName, Qt::Key_Return); // the disabled OK is not pressed
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(dialog.edtName, Qt::Key_End);
        QTest::keyClicks(dialog.edtName, QStringLiteral("2"));
        EXPECT_TRUE(dialog.btnOK->isEnabled());
        QTest::keyClick(dialog.edtName, Qt::Key_Return);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(name, QStringLiteral("Nouns2"));
}

TEST_F(NameDialog, TakenNamesInAnyCaseAndBlankNamesKeepOkDisabled)
{
    QString name = QStringLiteral("Kanji");
    const int result = Run(name, Taken, [](TfrmCategoryName& dialog) {
        EXPECT_TRUE(dialog.lblHint->text().isEmpty()); // the proposed name is not judged yet
        for (const QString& text : {QStringLiteral("kanji"), QStringLiteral("KANJI"), QStringLiteral(" Kanji "),
                                    QStringLiteral("Kanji"), QStringLiteral("verbs")}) {
            Type(dialog, text);
            EXPECT_FALSE(dialog.btnOK->isEnabled()) << text.toStdString();
            EXPECT_EQ(dialog.lblHint->text(), QStringLiteral("同じ名称のカテゴリーがあります。")) << text.toStdString();
        }
        Type(dialog, QStringLiteral("   "));
        EXPECT_FALSE(dialog.btnOK->isEnabled());
        EXPECT_TRUE(dialog.lblHint->text().isEmpty());
        Type(dialog, QStringLiteral("Kanji 2"));
        EXPECT_TRUE(dialog.btnOK->isEnabled());
        EXPECT_TRUE(dialog.lblHint->text().isEmpty());
        QTest::keyClick(dialog.edtName, Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(name, QStringLiteral("Kanji")); // the caller keeps its name
}

TEST_F(NameDialog, TheAcceptedNameIsReturnedWithItsBlanks)
{
    QString name;
    const int result = Run(name, Taken, [](TfrmCategoryName& dialog) {
        QTest::keyClicks(dialog.edtName, QStringLiteral("  Verbs 1  "));
        ASSERT_TRUE(dialog.btnOK->isEnabled());
        QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(name, QStringLiteral("  Verbs 1  "));
}

TEST_F(NameDialog, CancelReturnsCancel)
{
    QString name = QStringLiteral("Kanji");
    const int result = Run(name, Taken, [](TfrmCategoryName& dialog) {
        Type(dialog, QStringLiteral("Other"));
        QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(name, QStringLiteral("Kanji"));
}

TEST_F(NameDialog, NamesTheSubsetFilesCannotHoldKeepOkDisabledAndSayWhy)
{
    const std::vector<std::pair<QString, QString>> refused = {
        {QStringLiteral("a/b"), QStringLiteral("「=」「/」「\\」は使えません。")},
        {QStringLiteral("a\\b"), QStringLiteral("「=」「/」「\\」は使えません。")},
        {QStringLiteral("Kanji\\"), QStringLiteral("「=」「/」「\\」は使えません。")},
        {QStringLiteral("\\"), QStringLiteral("「=」「/」「\\」は使えません。")},
        {QStringLiteral("x=1"), QStringLiteral("「=」「/」「\\」は使えません。")},
        {QStringLiteral("."), QStringLiteral("「.」「..」は使えません。")},
        {QStringLiteral(".."), QStringLiteral("「.」「..」は使えません。")},
        {QStringLiteral(" .. "), QStringLiteral("「.」「..」は使えません。")},
        {QStringLiteral("全ての問題"), QStringLiteral("「全ての問題」は使えません。")},
        {QStringLiteral("café"), QStringLiteral("シフトJISにない文字は使えません。")},
        {QStringLiteral("a\x01z"), QStringLiteral("制御文字は使えません。")},
        {QStringLiteral("a") + QChar(u'\0') + QStringLiteral("z"), QStringLiteral("制御文字は使えません。")},
        {QString(250, u'漢'), QStringLiteral("名称が長すぎます。")},
    };
    QString name;
    Run(name, Taken, [&](TfrmCategoryName& dialog) {
        for (const auto& [text, reason] : refused) {
            Type(dialog, QStringLiteral("ok"));
            ASSERT_TRUE(dialog.btnOK->isEnabled());
            dialog.edtName->selectAll();
            dialog.edtName->insert(text); // as a paste does; control characters cannot be typed
            EXPECT_EQ(dialog.edtName->text(), text);
            EXPECT_FALSE(dialog.btnOK->isEnabled()) << text.toStdString();
            EXPECT_EQ(dialog.lblHint->text(), reason) << text.toStdString();
            QTest::keyClick(dialog.edtName, Qt::Key_Return);
            EXPECT_TRUE(dialog.isVisible());
        }
        Type(dialog, QStringLiteral("漢字ｶﾅ"));
        EXPECT_TRUE(dialog.btnOK->isEnabled());
        QTest::keyClick(dialog.edtName, Qt::Key_Escape);
    });
}
