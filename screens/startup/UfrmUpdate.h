#pragma once
// The news and update check at every start, before the category menu: the progress
// dialog TfrmUpdate and its controller TfrmUpdateControl.
//
// The controller fetches two server texts ("info.txt" and the one of this version, see
// UServerText.h) from the address in Menu.inf [Server] File, downloads the files they
// name into the program folder, writes the INI values they carry, shows their notices
// (the version's first) and offers the update page when the server announces another
// version. The dialog shows the steps "サーバー情報取得" 25, "ファイル取得" 50, "情報設定" 75
// and "確認終了" 100 and closes; the user cannot close it before.
//
// The requests and downloads run off the GUI thread while the dialog stays responsive.
// Each has the HTTP layer's time-outs, and the whole check one time budget from its first
// request: a request gets no more than what is left of it, and once it is spent the
// remaining requests are skipped with one log line, so a silent server holds the start
// for no longer than the budget. Nothing in the check keeps the menu from opening: a
// failing step or entry is logged and skipped.

#include "platform/core/ClassRef.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Form.h"
#include "platform/winapi/Http.h"
#include "ui_UfrmUpdate.h"

#include <QDeadlineTimer>
#include <QString>
#include <memory>
#include <optional>

// The address of the server texts when Menu.inf has no [Server] File: none, since no
// news server exists for this build; an empty address makes no request.
inline const QString DefaultServerAddress;

// The HTTP client of the check: Accept "text/html, */*", content type "text/html", the
// user agent "Mozilla/3.0 (compatible; Indy Library)", the HTTP layer's time-outs and
// bodies up to ServerTextLimit.
THttpClient NewsHttpClient();

// The time budget of the whole check, from its first request.
inline constexpr int NewsCheckBudgetMs = 10000;

// The components of UfrmUpdate.ui come from Ui::TfrmUpdate.
class TfrmUpdate : public TForm, public Ui::TfrmUpdate {
    Q_OBJECT
public:
    explicit TfrmUpdate(QWidget* owner = nullptr);
    ~TfrmUpdate() override;

    // The client of the server texts and downloads, NewsHttpClient() when made.
    THttpClient IdHTTP;
    // The check's time budget, NewsCheckBudgetMs when made.
    int TimeBudgetMs = NewsCheckBudgetMs;
};

class TfrmUpdateControl {
public:
    TfrmUpdateControl();
    virtual ~TfrmUpdateControl();
    TfrmUpdateControl(const TfrmUpdateControl&) = delete;
    TfrmUpdateControl& operator=(const TfrmUpdateControl&) = delete;

    // The lines of "info.txt" and of the version's text; made at the dialog's first paint.
    std::unique_ptr<TStringList> Info;
    std::unique_ptr<TStringList> VersionInfo;

    // Lines := the server text of that name; unchanged when it cannot be fetched.
    virtual void GetServerText(TStringList& lines, const QString& name);
    // Downloads the File entries of the text; a refused or failed entry is logged.
    virtual void DownloadFiles(const TStringList& lines);
    // Writes the Ini entries of the text; a refused entry is logged and skipped, a
    // malformed or failing one is logged and ends the text's entries.
    virtual void ApplyIniEntries(const TStringList& lines);
    // The notices: the version's text's Info, then that of "info.txt".
    virtual void ShowInfos();
    // Asks "最新バージョンがあります。更新しますか？" when "info.txt" announces another
    // version with an http or https VersionUpURL, and opens the address on Yes.
    virtual void CheckVersion();
    // The four steps; closes the dialog at the end.
    virtual void CheckServer();
    // Bound to the dialog's OnPaint: the first paint starts the check.
    virtual void FormPaint();

    // True once the check has ended and the dialog may close.
    bool Finished() const { return finished_; }

private:
    void RunCheck();
    void ShowStep(const QString& text, int position);
    // The time-outs of the next request, cut to what is left of the time budget (which the
    // first request starts); nothing, logged once, when the budget is spent.
    std::optional<THttpTimeouts> RequestTimeouts(THttpTimeouts timeouts);

    bool finished_ = false;
    std::optional<QDeadlineTimer> budget_;
    bool budgetSpentLogged_ = false;
};

class TfrmUpdateControlClass : public TMetaClass<TfrmUpdateControl> {
public:
    // The whole check: the dialog, the notices and the update question. Never throws.
    virtual void Execute() const;
};

using TfrmUpdateClass = TMetaClass<TfrmUpdate, QWidget*>;

inline const TfrmUpdateControlClass* UpdateControlClass = nullptr;
inline const TfrmUpdateClass* UpdateFormClass = nullptr;
// The dialog while Execute shows it, else empty.
inline std::unique_ptr<TfrmUpdate> frmUpdate;

// Unit initialisation (the class references) and finalisation.
void InitializeUfrmUpdate();
void FinalizeUfrmUpdate();
