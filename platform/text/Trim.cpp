#include "platform/text/Trim.h"

namespace {

bool IsBlankChar(QChar c) { return c.unicode() <= 32; }

qsizetype FirstKept(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlankChar(text[i]))
        ++i;
    return i;
}

qsizetype EndKept(const QString& text, qsizetype from)
{
    qsizetype end = text.size();
    while (end > from && IsBlankChar(text[end - 1]))
        --end;
    return end;
}

} // namespace

QString Trim(const QString& text)
{
    const qsizetype first = FirstKept(text);
    return text.sliced(first, EndKept(text, first) - first);
}

QString TrimLeft(const QString& text) { return text.sliced(FirstKept(text)); }

QString TrimRight(const QString& text) { return text.first(EndKept(text, 0)); }

bool IsBlank(const QString& text) { return FirstKept(text) == text.size(); }
