#pragma once
// The application-wide event filter behind TForm: it gives a form the first look at the
// keys and input-method text sent to any of its widgets (key preview), and it raises
// OnCanResize before a form's layout follows a new size. Installed by the first TForm.

#include <QObject>
#include <vector>

class TForm;
class QKeyEvent;
class QInputMethodEvent;
class QResizeEvent;

class TFormEvents : public QObject {
public:
    static void Install();
    // True while the key event, seen by its form, is on its way through the widgets.
    static bool Previewed(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Key(QWidget* receiver, TForm* form, QKeyEvent* event);
    bool InputMethod(QWidget* receiver, TForm* form, QInputMethodEvent* event);
    void Resize(TForm* form, QResizeEvent* event);

    std::vector<const QEvent*> delivering_;
    bool resizing_ = false;
};
