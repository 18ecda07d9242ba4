#include "screens/test/UfrmTestComposition.h"

#include "platform/vcl/Dispatch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>

TComposition::TComposition(QLineEdit* edit) : edit_(edit)
{
    edit->installEventFilter(this);
}

TComposition::~TComposition()
{
    if (edit_)
        edit_->removeEventFilter(this);
}

void TComposition::Commit()
{
    if (!Composing() || !edit_)
        return;
    if (edit_->hasFocus())
        QGuiApplication::inputMethod()->commit();
    if (!Composing())
        return;
    QInputMethodEvent event;
    event.setCommitString(preedit_);
    QCoreApplication::sendEvent(edit_, &event);
    preedit_.clear();
    if (edit_->hasFocus())
        QGuiApplication::inputMethod()->reset();
}

bool TComposition::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::InputMethod) {
        const bool was = Composing();
        preedit_ = static_cast<QInputMethodEvent*>(event)->preeditString();
        if (!was && Composing() && OnStart)
            Dispatch(OnStart);
    }
    return false;
}
