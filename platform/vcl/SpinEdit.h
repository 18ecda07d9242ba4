#pragma once
// TSpinEdit: a whole-number field with up and down steps of 1 within MinValue..MaxValue.
// Any text may be typed; when the field loses the focus (or Enter is pressed in it) the
// text is read as a whole number clamped into the range, and text that is not a whole
// number reads as MinValue. Value reads the typed text by the same rule; SetValue clamps.

#include <QSpinBox>

class TSpinEdit : public QSpinBox {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int MinValue() const { return minimum(); }
    void SetMinValue(int value) { setMinimum(value); }
    int MaxValue() const { return maximum(); }
    void SetMaxValue(int value) { setMaximum(value); }
    int Value() const { return Interpret(cleanText()); }
    void SetValue(int value) { setValue(value); }

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    int valueFromText(const QString& text) const override;

private:
    int Interpret(const QString& text) const;
};
