#pragma once
// The input-method composition of the test screen's reply edit. An input method composes
// a word (the preedit text, shown in the edit but not yet part of its text) before it
// commits it; this watcher knows the preedit, tells when a composition starts, and can
// commit it, so that Enter while composing only confirms the word and a reply registered
// while composing keeps the whole text shown.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLineEdit;

class TComposition : public QObject {
public:
    explicit TComposition(QLineEdit* edit);
    ~TComposition() override;

    // Runs when a preedit text appears where there was none.
    std::function<void()> OnStart;

    bool Composing() const { return !preedit_.isEmpty(); }
    // Commits the preedit text into the edit, as the input method would on Enter. The
    // platform's input method is asked first; when it has not committed (none runs, or it
    // composes for another window), the text is committed here and the method reset.
    void Commit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> edit_;
    QString preedit_;
};
