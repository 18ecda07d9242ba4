// The progress dialog's form: the layout of UfrmUpdate.ui and its HTTP client.
#include "screens/startup/UfrmUpdate.h"

#include "screens/startup/UServerText.h"

#include <QLabel>
#include <QProgressBar>

THttpClient NewsHttpClient()
{
    THttpClient client;
    client.Accept = "text/html, */*";
    client.ContentType = "text/html";
    client.UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    client.Timeouts = HttpLayerTimeouts;
    client.MaxBodyBytes = ServerTextLimit;
    return client;
}

TfrmUpdate::TfrmUpdate(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    QFont font = lblUpDate->font();
    font.setPixelSize(16);
    lblUpDate->setFont(font);
    IdHTTP = NewsHttpClient();
}

TfrmUpdate::~TfrmUpdate() = default;
