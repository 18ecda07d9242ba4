// The menu's unit: its globals, the modal run, showing, keys, sizing and closing.
#include "screens/menu/UfrmMenu.h"

#include "components/KvUserWdwState.h"
#include "data/UCategoryControl.h"
#include "data_views/ScreenLoading.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpeedButton.h"
#include "platform/web/WebBrowser.h"
#include "screens/menu/MenuGuard.h"
#include "screens/menu/MenuHelpPages.h"
#include "screens/menu/MenuHelpProbe.h"

#include <QFrame>
#include <QTimer>
#include <QUrl>

namespace {

// Frees the form when Execute ends, however it ends.
struct TFormRelease {
    ~TFormRelease() { frmMenu.reset(); }
};

void BindEvents(TfrmMenu& form, TfrmMenuControl* control)
{
    form.OnShow = [control] { control->FormShow(); };
    form.sbtnTestStart->OnClick = [control] { control->sbtnTestStartClick(); };
    form.sbtnDisplay->OnClick = [control] { control->sbtnDisplayClick(); };
    for (TSpeedButton* button : {form.sbtnTestInfo, form.sbtnManual, form.sbtnInfo})
        button->OnClick = [control, button] { control->sbtnHelpClick(*button); };
    form.sbtnClose->OnClick = [control] { control->sbtnCloseClick(); };
    form.lvCategory->OnDblClick = [control](TListView&) { control->sbtnTestStartClick(); };
    form.OnClose = [control](TForm::TCloseAction& action) { control->FormClose(action); };
    form.lvCategory->OnCustomDrawItem = [control](TListView& sender, const TListItem& item, TColor& background) {
        control->lvCategoryCustomDrawItem(sender, item, background);
    };
    form.KvUserWdwState->OnReadData = [control](QObject* sender, TKvWdwStateData& data) {
        control->KvUserWdwStateReadData(sender, data);
    };
    form.KvUserWdwState->OnSaveData = [control](QObject* sender, const TKvWdwStateData& data) {
        control->KvUserWdwStateSaveData(sender, data);
    };
    form.pmuDisplaySetting->OnClick = [control] { control->pmuDisplaySettingClick(); };
    form.OnResize = [control] { control->FormResize(); };
    form.pmuNonDisplay->OnClick = [control] { control->pmuNonDisplayClick(); };
    form.pmuAllDisplay->OnClick = [control] { control->pmuAllDisplayClick(); };
    form.OnKeyDown = [control](TKey& key, TShiftState shift) { control->FormKeyDown(key, shift); };
}

// A page that could not be shown (a link or a script went where nothing answers, or a
// local copy is missing) is named in the log. A page of the web gives way to the local
// copy of its help page, once: a local page that fails stays as it is.
void ShowLocalCopiesOfFailedPages(TfrmMenu& form)
{
    form.WebBrowser->OnLoadFailed = [](const QUrl& url, const QString& reason) {
        WriteLog(QStringLiteral("TfrmMenuControl"),
                 QStringLiteral("The page %1 could not be shown: %2").arg(url.toDisplayString(), reason));
        if (!frmMenu || url.isLocalFile())
            return;
        const QString local = LocalHelpPage(HelpPageOf(url.toString()));
        GuardedSave(QStringLiteral("OnLoadFailed"), [&] { frmMenu->WebBrowser->Navigate(local); });
    };
}

void SetHints(TfrmMenu& form)
{
    form.sbtnManual->SetHint(QStringLiteral("ミモリアについて説明します"));
    form.sbtnTestInfo->SetHint(QStringLiteral("記憶手順を説明します"));
    form.sbtnInfo->SetHint(QStringLiteral("ミモリアからのお知らせです"));
    form.sbtnTestStart->SetHint(QStringLiteral("テストを開始します"));
    form.sbtnClose->SetHint(QStringLiteral("ミモリアを終了します"));
}

} // namespace

TfrmMenuControl::TfrmMenuControl() = default;
TfrmMenuControl::~TfrmMenuControl() = default;

void TfrmMenuControlClass::Execute() const
{
    const std::unique_ptr<TfrmMenuControl> control = Create();
    control->EnsureMenuIni();
    frmMenu.reset();
    const TFormRelease release; // the form goes before the controller
    frmMenu = MenuFormClass->Create(nullptr);
    TfrmMenu& form = *frmMenu;
    control->FormCreate();
    BindEvents(form, control.get());
    ShowLocalCopiesOfFailedPages(form);
    SetHints(form);
    form.ShowModal();
}

void TfrmMenuControl::FormCreate()
{
    TListView& list = *frmMenu->lvCategory;
    // A store that cannot be made keeps the menu from opening, so that its close saves no
    // selection, widths or page of an empty list.
    if (!LoadScreenStep(*frmMenu, QStringLiteral("TfrmMenuControl.FormCreate"),
                        QStringLiteral("カテゴリーの一覧"), [] { CategoryControlClass->CreateInstance(); }))
        return;
    CategoryControl->SetupColumns(list);
    CategoryControl->FillListView(list);
    LoadMenuSettings();
}

void TfrmMenuControl::FormShow()
{
    TWebBrowser& browser = *frmMenu->WebBrowser;
    waitingForBrowser_ = true;
    if (browser.ReadyState() >= READYSTATE_INTERACTIVE) {
        EndBrowserWait(false);
        return;
    }
    browser.OnReadyStateChange = [this] {
        if (frmMenu && frmMenu->WebBrowser->ReadyState() >= READYSTATE_INTERACTIVE)
            EndBrowserWait(false);
    };
    QTimer::singleShot(MenuBrowserWaitMs, Qt::PreciseTimer, frmMenu.get(), [this] { Dispatch([this] { EndBrowserWait(true); }); });
}

void TfrmMenuControl::EndBrowserWait(bool timedOut)
{
    if (!waitingForBrowser_ || !frmMenu)
        return;
    TWebBrowser& browser = *frmMenu->WebBrowser;
    if (timedOut && browser.ReadyState() < READYSTATE_INTERACTIVE) {
        // The start page has not come within the bound: its local copy instead, unless
        // that is on its way already or the user has chosen a page meanwhile. The wait
        // goes on until that page is there.
        const QString local = LocalHelpPage(startPage_);
        if (!helpShown_ && QUrl(browser.LocationURL()) != QUrl::fromLocalFile(local))
            GuardedSave(QStringLiteral("FormShow"), [&] { browser.Navigate(local); });
        return;
    }
    waitingForBrowser_ = false;
    browser.OnReadyStateChange = nullptr;
    if (browser.Document())
        browser.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 2);
}

void TfrmMenuControl::FormClose(TForm::TCloseAction&)
{
    GuardedSave(QStringLiteral("SaveColumnWidths"), [] { CategoryControl->SaveColumnWidths(*frmMenu->lvCategory); });
    GuardedSave(QStringLiteral("SaveMenuSettings"), [this] { SaveMenuSettings(); });
}

void TfrmMenuControl::sbtnCloseClick()
{
    frmMenu->Close();
}

void TfrmMenuControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_RETURN)
        sbtnTestStartClick();
    else if (key == VK_ESCAPE)
        frmMenu->Close();
}

void TfrmMenuControl::FormResize()
{
    TfrmMenu& form = *frmMenu;
    const int bottom = form.Panel1->height();
    form.sbtnTestStart->move(form.sbtnTestStart->x(), bottom - 120);
    form.sbtnDisplay->move(form.sbtnDisplay->x(), bottom - 80);
    form.sbtnClose->move(form.sbtnClose->x(), bottom - 40);
    form.SetCategoryHeight(std::min(form.CategoryHeight(), form.Height() - 80));
}

void TfrmMenuControl::lvCategoryCustomDrawItem(TListView&, const TListItem& item, TColor& background)
{
    if (item.Index % 2 == 0)
        background = MenuEvenRowColor;
}

void InitializeUfrmMenu()
{
    MenuFormClass = ClassOf<TfrmMenu, TfrmMenuClass>();
    MenuControlClass = ClassOf<TfrmMenuControl, TfrmMenuControlClass>();
}

void FinalizeUfrmMenu()
{
    frmMenu.reset();
    MenuControlClass = nullptr;
    MenuFormClass = nullptr;
}
