#include "platform/web/WebAddress.h"

#include <QRegularExpression>

namespace {

bool HasScheme(const QString& text)
{
    // "host:port/path" is no scheme: a scheme is followed by "//" or by something
    // other than digits.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    return scheme.match(text).hasMatch();
}

} // namespace

bool IsWebOrFileAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                             scheme == QLatin1String("file"));
}

bool IsWebAddress(const QUrl& url)
{
    return IsWebOrFileAddress(url) && !url.isLocalFile();
}

QUrl WebAddress(const QString& address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        throw EWebBrowser(QStringLiteral("Navigate: no address"));
    QUrl url;
    if (text.startsWith(QLatin1Char('/')))
        url = QUrl::fromLocalFile(text);
    else if (HasScheme(text))
        url = QUrl(text, QUrl::StrictMode);
    else
        url = QUrl(QStringLiteral("http://") + text, QUrl::StrictMode);
    if (!IsWebOrFileAddress(url) || (url.scheme() != QLatin1String("file") && url.host().isEmpty()))
        throw EWebBrowser(QStringLiteral("Navigate: not an http, https or file address: ") + text);
    return url;
}
