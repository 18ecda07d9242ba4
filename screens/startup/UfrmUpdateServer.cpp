// The controller's work on the server: fetching the texts, downloading their files and
// writing their INI values.
#include "screens/startup/UfrmUpdate.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/ini/IniFile.h"
#include "platform/winapi/Download.h"
#include "platform/winapi/VersionInfo.h"
#include "screens/startup/OffGuiThread.h"
#include "screens/startup/UServerText.h"

#include <QFileInfo>
#include <climits>

namespace {

const QString Place = QStringLiteral("TfrmUpdateControl");

// The client of the dialog; one with the same settings when no dialog is open.
THttpClient Client()
{
    return frmUpdate ? frmUpdate->IdHTTP : NewsHttpClient();
}

// The folder part of a relative path: everything up to its last "\" or "/".
QString FolderOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return cut < 0 ? QString() : path.first(cut + 1);
}

void CreateFolderOf(const QString& relativePath)
{
    const QString folder = FolderOf(relativePath);
    if (!folder.isEmpty() && !ForceDirectories(GetAppDir() + folder))
        throw Exception(QStringLiteral("cannot create the folder ") + folder);
}

} // namespace

void TfrmUpdateControl::GetServerText(TStringList& lines, const QString& name)
{
    const TIniFile menu(GetAppDir() + QStringLiteral("Menu.inf"));
    const QString base = menu.ReadString(QStringLiteral("Server"), QStringLiteral("File"),
                                         DefaultServerAddress);
    if (base.isEmpty())
        return;
    const QString address = base + name;
    if (!IsWebAddress(address)) {
        WriteLog(Place, QStringLiteral("GetServerText not an http or https address: ") + address);
        return;
    }
    THttpClient client = Client();
    const std::optional<THttpTimeouts> timeouts = RequestTimeouts(client.Timeouts);
    if (!timeouts)
        return;
    client.Timeouts = *timeouts;
    const THttpResult reply =
        RunOffGuiThread(std::function<THttpResult()>([&] { return client.Get(address); }));
    if (reply.TooLarge)
        WriteLog(Place, QStringLiteral("GetServerText %1 is refused, larger than %2 bytes")
                            .arg(address)
                            .arg(client.MaxBodyBytes));
    else if (reply.Ok)
        SetServerText(lines, reply.Body);
}

void TfrmUpdateControl::DownloadFiles(const TStringList& lines)
{
    const QString program = QFileInfo(GetModuleFileName()).fileName();
    for (const TFileEntry& entry : FileEntries(lines, program)) {
        const QString about = QStringLiteral("DownloadFiles ") + entry.Name + QStringLiteral(": ");
        if (!entry.Refusal.isEmpty()) {
            WriteLog(Place, about + QStringLiteral("refused, ") + entry.Refusal + QStringLiteral(": ")
                                + entry.Target);
            continue;
        }
        const std::optional<THttpTimeouts> timeouts = RequestTimeouts(Client().Timeouts);
        if (!timeouts)
            return;
        try {
            CreateFolderOf(entry.Target);
            const QString target = GetAppDir() + entry.Target;
            const TDownloadResult result = RunOffGuiThread(std::function<TDownloadResult()>(
                [&] { return URLDownloadToFile(entry.Url, target, *timeouts, DownloadLimit); }));
            if (!result.Ok)
                WriteLog(Place, about + QStringLiteral("download of ") + entry.Url
                                    + QStringLiteral(" failed, ") + result.Error);
        } catch (...) {
            WriteLog(Place, about + ExceptMessage());
        }
    }
}

std::optional<THttpTimeouts> TfrmUpdateControl::RequestTimeouts(THttpTimeouts timeouts)
{
    const int budgetMs = frmUpdate ? frmUpdate->TimeBudgetMs : NewsCheckBudgetMs;
    if (!budget_)
        budget_.emplace(budgetMs);
    const qint64 left = budget_->remainingTime();
    if (left <= 0) {
        if (!budgetSpentLogged_)
            WriteLog(Place, QStringLiteral("CheckServer the time budget of %1 s is spent, the remaining "
                                           "requests are skipped")
                                .arg(budgetMs / 1000.0));
        budgetSpentLogged_ = true;
        return std::nullopt;
    }
    const int cap = int(std::min<qint64>(left, INT_MAX));
    timeouts.ConnectMs = timeouts.ConnectMs > 0 ? std::min(timeouts.ConnectMs, cap) : cap;
    timeouts.TotalMs = timeouts.TotalMs > 0 ? std::min(timeouts.TotalMs, cap) : cap;
    return timeouts;
}

void TfrmUpdateControl::ApplyIniEntries(const TStringList& lines)
{
    for (const TIniEntry& entry : IniEntries(lines)) {
        const QString about = QStringLiteral("ApplyIniEntries ") + entry.Name + QStringLiteral(": ");
        if (entry.Stop) {
            WriteLog(Place, about + entry.Refusal + QStringLiteral(", the remaining entries are skipped"));
            return;
        }
        if (!entry.Refusal.isEmpty()) {
            WriteLog(Place, about + QStringLiteral("refused, ") + entry.Refusal + QStringLiteral(": ")
                                + entry.File);
            continue;
        }
        // The INI layer takes names as they are; "\" and letter case as Windows would.
        const QString file = ResolvePath(GetAppDir() + entry.File);
        if (QFileInfo(file).size() > IniFileLimit) {
            WriteLog(Place, about + QStringLiteral("refused, larger than %1 bytes: ").arg(IniFileLimit) + entry.File);
            continue;
        }
        try {
            CreateFolderOf(entry.File);
            TIniFile(ResolvePath(GetAppDir() + entry.File)).WriteString(entry.Section, entry.Key, entry.Value);
        } catch (...) {
            WriteLog(Place, about + ExceptMessage() + QStringLiteral(", the remaining entries are skipped"));
            return;
        }
    }
}
