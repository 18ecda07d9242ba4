#include "platform/vcl/SpinEdit.h"

#include <algorithm>

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

int TSpinEdit::Interpret(const QString& text) const
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok)
        return minimum();
    return static_cast<int>(std::clamp<qlonglong>(number, minimum(), maximum()));
}

// Every text may stand in the field while it is typed; only a whole number in range is
// final, the rest is corrected by fixup when the field is left.
QValidator::State TSpinEdit::validate(QString& text, int&) const
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (ok && number >= minimum() && number <= maximum())
        return QValidator::Acceptable;
    return QValidator::Intermediate;
}

void TSpinEdit::fixup(QString& text) const
{
    text = QString::number(Interpret(text));
}

int TSpinEdit::valueFromText(const QString& text) const
{
    return Interpret(text);
}
