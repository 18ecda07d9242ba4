#include "platform/vcl/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

void RegisterFontSubstitutes()
{
    static const bool registered = [] {
        QFont::insertSubstitutions(
            QStringLiteral("ＭＳ ゴシック"),
            {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
             QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic"),
             QStringLiteral("Noto Sans CJK JP"), QStringLiteral("monospace")});
        return true;
    }();
    (void)registered;
}
