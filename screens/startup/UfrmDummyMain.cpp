#include "screens/startup/UfrmDummyMain.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Dispatch.h"
#include "screens/menu/UfrmMenu.h"
#include "screens/startup/UfrmUpdate.h"

TfrmDummyMain::TfrmDummyMain(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    OnPaint = [this] { FormPaint(); };
    Application().OnException = [this](const std::exception_ptr& error) {
        ApplicationEventsException(error);
    };
}

TfrmDummyMain::~TfrmDummyMain() { Application().OnException = nullptr; }

void TfrmDummyMain::FormCreate()
{
    SetHeight(1);
    SetWidth(1);
    SetTop(0);
    SetLeft(0);
    UpdateControlClass->Execute();
    ExecuteCategoryMenu();
}

void TfrmDummyMain::FormPaint() { Close(); }

void TfrmDummyMain::ApplicationEventsException(const std::exception_ptr& error)
{
    WriteLog(QStringLiteral("ApplicationEventsException"),
             QStringLiteral("E.Message:") + ExceptionMessage(error));
}

void TfrmDummyMain::hideEvent(QHideEvent* event)
{
    TForm::hideEvent(event);
    emit Closed();
}

void CreateForm()
{
    frmDummyMain = std::make_unique<TfrmDummyMain>();
    // As for every event handler, an exception of the creation handler is one log line
    // through the exception event; the window is made all the same and the program ends.
    Dispatch([] { frmDummyMain->FormCreate(); });
}

void ExecuteCategoryMenu()
{
    MenuControlClass->Execute();
}
