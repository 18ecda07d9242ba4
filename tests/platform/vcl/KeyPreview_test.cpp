#include "VclTestSupport.h"
#include "platform/vcl/Abort.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/KeyPress.h"

#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace {

// A form with key preview on, an edit inside a panel, and a record of the keys it saw.
struct TPreviewForm : TForm {
    TPreviewForm()
    {
        SetKeyPreview(true);
        auto* layout = new QVBoxLayout(panel);
        layout->addWidget(edit);
        OnKeyDown = [this](TKey& key, TShiftState shift) {
            if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
                return;
            keys << QString("%1/%2 edit=%3").arg(key).arg(shift).arg(edit->text());
            if (key == VK_F4)
                key = 0;
        };
    }
    QWidget* panel = new QWidget(this);
    QLineEdit* edit = new QLineEdit(panel);
    QStringList keys;
};

TEST(KeyPreview, F4IsSwallowedSoAltF4DoesNotClose)
{
    TPreviewForm form;
    WhenModal([&] {
        QTest::keyClick(form.edit, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(&form, Qt::Key_F4, Qt::AltModifier);
        WhenModal([&] {
            EXPECT_TRUE(form.isVisible());
            form.SetModalResult(mrOk);
        });
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.keys.join(" | "), "115/2 edit= | 115/2 edit=");
}

TEST(KeyPreview, AltF4ThatIsNotSwallowedClosesTheForm)
{
    TPreviewForm form;
    form.OnKeyDown = nullptr;
    WhenModal([&] { QTest::keyClick(form.edit, Qt::Key_F4, Qt::AltModifier); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(KeyPreview, WindowSystemCloseIsOfferedAsAltF4)
{
    TPreviewForm form;
    WhenModal([&] {
        QCloseEvent close;
        QCoreApplication::sendEvent(&form, &close); // not spontaneous: closes
        EXPECT_EQ(form.ModalResult(), mrCancel);
        form.SetModalResult(mrNone);
        QCloseEvent fromWindowManager;
        QSpontaneKeyEvent::setSpontaneous(&fromWindowManager);
        qApp->notify(&form, &fromWindowManager);
    });
    // the spontaneous close was swallowed as F4; the earlier one had been withdrawn
    WhenModal([&] {
        EXPECT_TRUE(form.isVisible());
        form.SetModalResult(mrOk);
    }, 20);
    EXPECT_EQ(form.ShowModal(), mrOk);
}

TEST(KeyPreview, EscReachesTheFormBeforeTheFocusedEditAndEachKeyIsSeenOnce)
{
    TPreviewForm form;
    form.show();
    form.edit->setFocus();
    QTest::keyClick(form.edit, 'A');
    QTest::keyClick(form.edit, Qt::Key_Escape);
    QTest::keyClick(form.edit, Qt::Key_F5, Qt::ControlModifier); // unused: goes up to the form
    QTest::keyClick(form.edit, Qt::Key_Up);
    EXPECT_EQ(form.keys.join(" | "), "65/0 edit= | 27/0 edit=A | 116/4 edit=A | 38/0 edit=A");
    EXPECT_EQ(form.edit->text(), "A");
}

TEST(KeyPreview, ClearedOrFailedKeyDownNeverReachesTheControl)
{
    TExceptionLog log;
    TPreviewForm form;
    form.OnKeyDown = [](TKey& key, TShiftState) {
        if (key == 'X')
            key = 0;
        if (key == 'Q')
            throw Exception("key down failed");
    };
    form.show();
    QTest::keyClicks(form.edit, "axbqc");
    EXPECT_EQ(form.edit->text(), "abc");
    EXPECT_EQ(log.Messages.join(" | "), "key down failed");
    EXPECT_TRUE(form.isVisible());
}

TEST(KeyPreview, WithoutPreviewTheFormSeesOnlyItsOwnKeys)
{
    TPreviewForm form;
    form.SetKeyPreview(false);
    form.show();
    QTest::keyClick(form.edit, Qt::Key_Escape);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.keys.join(" | "), "27/0 edit=");
}

TEST(KeyPreview, FormOnKeyPressClearingACharacterKeepsItOutOfTheEdit)
{
    TPreviewForm form;
    QString chars;
    form.OnKeyPress = [&](char16_t& key) {
        chars += key == 13 ? QChar('#') : QChar(key);
        if (key == u'x')
            key = 0;
    };
    form.show();
    QTest::keyClicks(form.edit, "axb");
    QTest::keyClick(form.edit, Qt::Key_Return);
    QTest::keyClick(form.edit, Qt::Key_Left); // types nothing
    EXPECT_EQ(form.edit->text(), "ab");
    EXPECT_EQ(chars, "axb#");
}

TEST(KeyPreview, ControlOnKeyPressClearsOrAbortsSilently)
{
    TExceptionLog log;
    TPreviewForm form;
    QStringList order;
    form.OnKeyPress = [&](char16_t& key) { order << QString("form %1").arg(QChar(key)); };
    SetOnKeyPress(form.edit, [&](char16_t& key) {
        order << QString("edit %1").arg(QChar(key));
        if (key == u'1')
            key = 0;
        if (key == 13)
            Abort();
        if (key == u'2')
            throw Exception("key failed");
    });
    form.show();
    QTest::keyClicks(form.edit, "a12b");
    QTest::keyClick(form.edit, Qt::Key_Return);
    EXPECT_EQ(form.edit->text(), "ab");
    EXPECT_EQ(order.size(), 10);
    EXPECT_EQ(order.first(), "form a");
    EXPECT_EQ(order[1], "edit a");
    EXPECT_EQ(log.Messages, QStringList({"key failed"})); // EAbort is silent
}

TEST(KeyPreview, InputMethodTextPassesTheKeyPressHandlers)
{
    TPreviewForm form;
    form.OnKeyPress = [](char16_t& key) {
        if (key == u'ん')
            key = 0;
    };
    QString seen;
    SetOnKeyPress(form.edit, [&](char16_t& key) { seen += QChar(key); });
    form.show();
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("にほんご"));
    QCoreApplication::sendEvent(form.edit, &commit);
    EXPECT_EQ(form.edit->text(), QString::fromUtf8("にほご"));
    EXPECT_EQ(seen, QString::fromUtf8("にほご"));
}

TEST(KeyPreview, KeySeenOnceWhenItsHandlerRunsANestedModalForm)
{
    TPreviewForm outer;
    int enters = 0;
    outer.OnKeyDown = [&](TKey& key, TShiftState) {
        if (key != VK_RETURN)
            return;
        ++enters;
        TPreviewForm inner;
        WhenModal([&] {
            QTest::keyClick(inner.edit, Qt::Key_B);
            QTest::keyClick(inner.edit, Qt::Key_F6);
            inner.SetModalResult(mrOk);
        });
        inner.ShowModal();
        EXPECT_EQ(inner.keys.size(), 2);
    };
    outer.show();
    QTest::keyClick(outer.edit, Qt::Key_Return);
    EXPECT_EQ(enters, 1);
}

TEST(KeyPreview, MultiLineEditKeepsEnterForItself)
{
    TForm form;
    form.SetKeyPreview(true);
    int enters = 0;
    form.OnKeyDown = [&](TKey& key, TShiftState) { enters += key == VK_RETURN; };
    auto* memo = new QPlainTextEdit(&form);
    form.show();
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(memo->toPlainText(), "\n");
}

TEST(VirtualKey, CodesOfTheKeysTheScreensUse)
{
    EXPECT_EQ(VirtualKey(Qt::Key_Return, {}), VK_RETURN);
    EXPECT_EQ(VirtualKey(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    EXPECT_EQ(VirtualKey(Qt::Key_Escape, {}), VK_ESCAPE);
    EXPECT_EQ(VirtualKey(Qt::Key_F4, {}), VK_F4);
    EXPECT_EQ(VirtualKey(Qt::Key_Backspace, {}), VK_BACK);
    EXPECT_EQ(VirtualKey(Qt::Key_Delete, {}), VK_DELETE);
    EXPECT_EQ(VirtualKey(Qt::Key_Space, {}), VK_SPACE);
    EXPECT_EQ(VirtualKey(Qt::Key_Left, {}), VK_LEFT);
    EXPECT_EQ(VirtualKey(Qt::Key_Down, {}), VK_DOWN);
    EXPECT_EQ(VirtualKey(Qt::Key_Z, {}), 'Z');
    EXPECT_EQ(VirtualKey(Qt::Key_7, {}), '7');
    EXPECT_EQ(VirtualKey(Qt::Key_7, Qt::KeypadModifier), VK_NUMPAD0 + 7);
    EXPECT_EQ(VirtualKey(Qt::Key_Exclam, Qt::ShiftModifier), '1'); // not VK_PRIOR (33)
    EXPECT_EQ(VirtualKey(Qt::Key_Comma, {}), VK_OEM_COMMA);
    EXPECT_EQ(VirtualKey(Qt::Key_Zenkaku_Hankaku, {}), 0);
}

} // namespace
