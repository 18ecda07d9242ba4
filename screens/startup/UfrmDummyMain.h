#pragma once
// The main window: a borderless 1×1 window in the top-left corner of the screen. Its
// creation runs the two start-up screens, the news and update check and then the
// category menu, inside which all user work happens; its first paint closes it, which
// ends the program. It owns the application's exception event, which turns every
// exception that escapes an event handler into one log line and shows nothing.

#include "platform/vcl/Form.h"
#include "ui_UfrmDummyMain.h"

#include <exception>
#include <memory>

// The layout of the main window (UfrmDummyMain.ui, Ui::TfrmDummyMain) holds no components.
class TfrmDummyMain : public TForm, public Ui::TfrmDummyMain {
    Q_OBJECT
public:
    explicit TfrmDummyMain(QWidget* owner = nullptr);
    // Unbinds the exception event.
    ~TfrmDummyMain() override;

    // The creation handler: size and place, the news check, the menu; returns when the
    // menu has closed.
    virtual void FormCreate();
    // The paint handler: closes the window.
    virtual void FormPaint();
    // Logs "ApplicationEventsException" "E.Message:<message>".
    virtual void ApplicationEventsException(const std::exception_ptr& error);

signals:
    // The window has closed.
    void Closed();

protected:
    void hideEvent(QHideEvent* event) override;
};

// The main window, made by CreateForm.
inline std::unique_ptr<TfrmDummyMain> frmDummyMain;

// Makes the main window into frmDummyMain and runs its creation handler.
void CreateForm();
// The category menu, shown modally until the user closes it.
void ExecuteCategoryMenu();
