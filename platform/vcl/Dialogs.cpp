#include "platform/vcl/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace {

TDialogAnswerer answerer;

const QString YesCaption = QStringLiteral("はい(&Y)");
const QString NoCaption = QStringLiteral("いいえ(&N)");
const QString OkCaption = QStringLiteral("OK");

QString CaptionOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("警告");
    case TMsgDlgType::mtError: return QStringLiteral("エラー");
    case TMsgDlgType::mtInformation: return QStringLiteral("情報");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("確認");
    }
    return {};
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

TModalResult ResultOf(const QString& caption)
{
    if (caption == YesCaption) return mrYes;
    if (caption == NoCaption) return mrNo;
    return mrOk;
}

// Shows the question in a message box over the active window; the modal result of the
// button pressed.
TModalResult Show(const TDialogQuestion& question)
{
    QMessageBox box(IconOf(question.Type), question.Caption, QString(), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(question.Text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    for (const QString& caption : question.Buttons) {
        const auto role = caption == NoCaption ? QMessageBox::NoRole : QMessageBox::YesRole;
        QPushButton* button = box.addButton(caption, role);
        if (caption == question.DefaultButton)
            box.setDefaultButton(button);
    }
    box.exec();
    if (auto* clicked = qobject_cast<QPushButton*>(box.clickedButton()))
        return ResultOf(clicked->text());
    return question.Buttons.contains(NoCaption) ? mrNo : ResultOf(question.Buttons.value(0));
}

TModalResult Ask(const TDialogQuestion& question)
{
    return answerer ? answerer(question) : Show(question);
}

TMsgDlgType TypeOfIcon(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR: return TMsgDlgType::mtError;
    case MB_ICONQUESTION: return TMsgDlgType::mtConfirmation;
    case MB_ICONEXCLAMATION: return TMsgDlgType::mtWarning;
    default: return TMsgDlgType::mtInformation;
    }
}

} // namespace

TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    TDialogQuestion question{CaptionOf(type), text, type, {}, YesCaption};
    if (buttons & mbYes)
        question.Buttons << YesCaption;
    if (buttons & mbNo)
        question.Buttons << NoCaption;
    if (!(buttons & mbYes))
        question.DefaultButton = question.Buttons.value(0);
    return Ask(question);
}

int MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    TDialogQuestion question{caption, text, TypeOfIcon(flags), {}, {}};
    if ((flags & 0xF) == MB_YESNO)
        question.Buttons << YesCaption << NoCaption;
    else
        question.Buttons << OkCaption;
    const bool second = (flags & 0xF00) == MB_DEFBUTTON2 && question.Buttons.size() > 1;
    question.DefaultButton = question.Buttons[second ? 1 : 0];
    return Ask(question);
}

TDialogAnswerer SetDialogAnswerer(TDialogAnswerer newAnswerer)
{
    return std::exchange(answerer, std::move(newAnswerer));
}
