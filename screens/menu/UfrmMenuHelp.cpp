// The menu's help buttons: the page of the help site when it answers with content, else
// the local copy.
#include "screens/menu/UfrmMenu.h"

#include "data/UConst.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/SpeedButton.h"
#include "platform/web/WebBrowser.h"
#include "screens/menu/MenuHelpPages.h"
#include "screens/menu/MenuHelpProbe.h"

void TfrmMenuControl::sbtnHelpClick(TSpeedButton& sender)
{
    const int tag = sender.Tag();
    const QString local = LocalHelpPage(tag);
    const TIniFile ini(GetAppDir() + QStringLiteral("Menu.inf"));
    const QString address = ini.ReadString(QStringLiteral("Web"), QStringLiteral("PAGE%1").arg(tag), local);
    if (!helpProbe_)
        helpProbe_ = std::make_unique<TMenuHelpProbe>(MenuBrowserWaitMs);
    helpProbe_->Start(address, [this, tag, address](int size) { ShowHelpPage(tag, address, size); });
    frmMenu->WebBrowser->SetFocus();
}

void TfrmMenuControl::ShowHelpPage(int tag, const QString& address, int contentSize)
{
    if (!frmMenu)
        return;
    helpShown_ = true;
    TWebBrowser& browser = *frmMenu->WebBrowser;
    const QString local = LocalHelpPage(tag);
    try {
        if (contentSize > 0)
            browser.Navigate(address, local);
        else
            browser.Navigate(local);
    } catch (...) {
        try {
            browser.Navigate(local);
        } catch (...) {
        }
    }
}
