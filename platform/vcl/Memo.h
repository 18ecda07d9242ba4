#pragma once
// TMemo: a plain-text memo whose text can keep a distance from its left and right inner
// edges (the memo's formatting rectangle inset), the margins drawn in the text background.
// Everything else is QPlainTextEdit's; see NoCaret.h for a memo without caret.

#include <QPlainTextEdit>

class TMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TMemo(QWidget* parent = nullptr);

    void SetTextMargins(int left, int right);
};
