// The local help pages and the probe that tells whether an online page can be shown.
#include "data/UConst.h"

#include "platform/core/Checked.h"

#include <array>

const THelpFiles HelpFiles;

const QString& THelpFiles::operator[](int tag) const
{
    static const std::array<QString, 3> pages = {
        QStringLiteral("help\\guide.html"),
        QStringLiteral("help\\flow.html"),
        QStringLiteral("help\\info.html"),
    };
    return CheckedAt(pages, static_cast<long long>(tag) - 1);
}

QString HelpSiteHost()
{
    return QStringLiteral(MORIVA_HELP_HOST);
}

QString HelpSitePage(int tag)
{
    static const std::array<QString, 3> paths = {
        QStringLiteral("/help/guide.html"),
        QStringLiteral("/help/flow.html"),
        QStringLiteral("/help/info.html"),
    };
    return HelpSiteHost() + CheckedAt(paths, static_cast<long long>(tag) - 1);
}

int GetPageContentSize(const QString& address, const THttpTimeouts& timeouts) noexcept
{
    try {
        THttpClient client;
        client.Timeouts = timeouts;
        client.MaxBodyBytes = PageProbeMaxBytes;
        const THttpResult reply = client.Get(QStringLiteral("http://") + address);
        // A page longer than the probe reads is there all the same; it is not held whole.
        if (reply.TooLarge && reply.Status >= 200 && reply.Status < 300)
            return static_cast<int>(PageProbeMaxBytes);
        if (!reply.Ok)
            return 0;
        return static_cast<int>(std::min<qsizetype>(reply.Body.size(), PageProbeMaxBytes));
    } catch (...) {
        return 0;
    }
}
