#include "platform/winapi/ShellOpen.h"

#include <QProcess>

namespace {

bool OpenWithDesktop(const QString& url)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url});
}

TUrlOpener& CurrentOpener()
{
    static TUrlOpener opener;
    return opener;
}

} // namespace

bool ShellOpenUrl(const QString& url) noexcept
{
    try {
        const TUrlOpener& opener = CurrentOpener();
        return opener ? opener(url) : OpenWithDesktop(url);
    } catch (...) {
        return false;
    }
}

TUrlOpener SetUrlOpener(TUrlOpener opener)
{
    return std::exchange(CurrentOpener(), std::move(opener));
}
