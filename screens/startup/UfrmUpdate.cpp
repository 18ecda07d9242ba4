#include "screens/startup/UfrmUpdate.h"

#include "data/UConst.h"
#include "data/Version.h"
#include "platform/core/Exception.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Screen.h"
#include "platform/winapi/ShellOpen.h"
#include "screens/startup/UServerText.h"
#include "screens/startup/UfrmInfo.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

const QString Place = QStringLiteral("TfrmUpdateControl");
const QString CommonText = QStringLiteral("info.txt");

// Runs one step; a failure is logged as "<step> E.Message=<message>" and skipped.
template <class F>
void Guarded(const QString& step, F&& work) noexcept
{
    try {
        work();
    } catch (...) {
        WriteLog(Place, step + QStringLiteral(" E.Message=") + ExceptMessage());
    }
}

// The lines of a text, empty before the check has made them.
const TStringList& LinesOf(const std::unique_ptr<TStringList>& lines)
{
    static const TStringList none;
    return lines ? *lines : none;
}

} // namespace

TfrmUpdateControl::TfrmUpdateControl() = default;

TfrmUpdateControl::~TfrmUpdateControl() = default;

void TfrmUpdateControl::ShowInfos()
{
    Guarded(QStringLiteral("ShowInfos"),
            [this] { InfoFormClass->ShowInfo(ServerValue(LinesOf(VersionInfo), QStringLiteral("Info"))); });
    Guarded(QStringLiteral("ShowInfos"),
            [this] { InfoFormClass->ShowInfo(ServerValue(LinesOf(Info), QStringLiteral("Info"))); });
}

void TfrmUpdateControl::CheckVersion()
{
    const QString version = ServerValue(LinesOf(Info), QStringLiteral("Version"));
    if (version.isEmpty() || version == AppVersion.VersionString)
        return;
    const QString address = ServerValue(LinesOf(Info), QStringLiteral("VersionUpURL"));
    if (address.isEmpty())
        return;
    if (!IsWebAddress(address)) {
        WriteLog(Place, QStringLiteral("CheckVersion VersionUpURL is not an http or https address: ")
                            + address);
        return;
    }
    if (MessageDlg(QStringLiteral("最新バージョンがあります。更新しますか？"), TMsgDlgType::mtWarning,
                   mbYesNo)
        != mrYes)
        return;
    if (!ShellOpenUrl(address))
        WriteLog(Place, QStringLiteral("CheckVersion cannot open ") + address);
}

void TfrmUpdateControl::CheckServer()
{
    frmUpdate->repaint();
    frmUpdate->ProgressBar->setRange(0, 100);
    Screen().SetCursor(TCursor::crHourGlass);
    ShowStep(QStringLiteral("サーバー情報取得"), 25);
    GetServerText(*Info, CommonText);
    // Without a version the two names are the same: one text, fetched and shown once.
    const QString versionText = VersionTextName(AppVersion.VersionString);
    if (versionText.compare(CommonText, Qt::CaseInsensitive) != 0)
        GetServerText(*VersionInfo, versionText);
    ShowStep(QStringLiteral("ファイル取得"), 50);
    DownloadFiles(*Info);
    DownloadFiles(*VersionInfo);
    ShowStep(QStringLiteral("情報設定"), 75);
    ApplyIniEntries(*Info);
    ApplyIniEntries(*VersionInfo);
    ShowStep(QStringLiteral("確認終了"), 100);
    Screen().SetCursor(TCursor::crDefault);
    finished_ = true;
    frmUpdate->Close();
}

void TfrmUpdateControl::FormPaint()
{
    if (Info)
        return;
    Info = std::make_unique<TStringList>();
    VersionInfo = std::make_unique<TStringList>();
    // Out of the paint event: the check waits for the network while events go on.
    QTimer::singleShot(0, frmUpdate.get(), [this] { RunCheck(); });
}

// The check, ending in any case with "確認終了" and the dialog closed.
void TfrmUpdateControl::RunCheck()
{
    Guarded(QStringLiteral("CheckServer"), [this] { CheckServer(); });
    if (finished_)
        return;
    finished_ = true;
    Screen().SetCursor(TCursor::crDefault);
    if (frmUpdate) {
        Guarded(QStringLiteral("CheckServer"), [this] { ShowStep(QStringLiteral("確認終了"), 100); });
        frmUpdate->Close();
    }
}

void TfrmUpdateControl::ShowStep(const QString& text, int position)
{
    frmUpdate->lblUpDate->setText(text);
    frmUpdate->ProgressBar->setValue(position);
    frmUpdate->repaint();
}

void TfrmUpdateControlClass::Execute() const
{
    Guarded(QStringLiteral("Execute"), [this] {
        const std::unique_ptr<TfrmUpdateControl> control = Create();
        struct TDialogRelease {
            ~TDialogRelease() { frmUpdate.reset(); } // before the controller
        } release;
        frmUpdate = UpdateFormClass->Create(nullptr);
        TfrmUpdateControl* check = control.get();
        frmUpdate->OnPaint = [check] { check->FormPaint(); };
        frmUpdate->OnClose = [check](TForm::TCloseAction& action) {
            if (!check->Finished())
                action = TForm::caNone; // the user cannot close it during the check
        };
        // Should the window system never paint the dialog, the check starts anyway.
        QTimer::singleShot(1000, frmUpdate.get(), [check] { check->FormPaint(); });
        frmUpdate->ShowModal();
        frmUpdate.reset();
        control->ShowInfos();
        Guarded(QStringLiteral("CheckVersion"), [&] { control->CheckVersion(); });
    });
}

void InitializeUfrmUpdate()
{
    UpdateControlClass = ClassOf<TfrmUpdateControl, TfrmUpdateControlClass>();
    UpdateFormClass = ClassOf<TfrmUpdate, TfrmUpdateClass>();
}

void FinalizeUfrmUpdate()
{
    frmUpdate.reset();
    UpdateControlClass = nullptr;
    UpdateFormClass = nullptr;
}
