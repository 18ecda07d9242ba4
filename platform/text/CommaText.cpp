#include "platform/text/CommaText.h"

namespace {

bool IsSeparatorBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

class CommaReader {
public:
    explicit CommaReader(QStringView text) : text_(text.first(EndAtNul(text))) {}

    QStringList Entries()
    {
        QStringList entries;
        SkipBlanks();
        while (!AtEnd()) {
            entries.append(Peek() == u'"' ? QuotedEntry() : PlainEntry());
            SkipBlanks();
            if (!AtEnd() && Peek() == u',') {
                if (pos_ + 1 == text_.size())
                    entries.append(QString());
                ++pos_;
                SkipBlanks();
            }
        }
        return entries;
    }

private:
    static qsizetype EndAtNul(QStringView text)
    {
        const qsizetype nul = text.indexOf(QChar(u'\0'));
        return nul < 0 ? text.size() : nul;
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    QChar Peek() const { return text_[pos_]; }

    void SkipBlanks()
    {
        while (!AtEnd() && IsSeparatorBlank(Peek()))
            ++pos_;
    }

    QString PlainEntry()
    {
        const qsizetype start = pos_;
        while (!AtEnd() && Peek() != u',' && !IsSeparatorBlank(Peek()))
            ++pos_;
        return text_.sliced(start, pos_ - start).toString();
    }

    QString QuotedEntry()
    {
        QString entry;
        ++pos_; // opening quote
        while (!AtEnd()) {
            const QChar c = text_[pos_++];
            if (c != u'"') {
                entry += c;
            } else if (!AtEnd() && Peek() == u'"') {
                entry += c;
                ++pos_;
            } else {
                break;
            }
        }
        return entry;
    }

    QStringView text_;
    qsizetype pos_ = 0;
};

bool NeedsQuotes(const QString& entry)
{
    for (QChar c : entry)
        if (c.unicode() <= 32 || c == u',' || c == u'"')
            return true;
    return false;
}

QString Quoted(QString entry)
{
    entry.replace(u'"', QStringLiteral("\"\""));
    return u'"' + entry + u'"';
}

} // namespace

QStringList SplitCommaText(const QString& text) { return CommaReader(text).Entries(); }

QString JoinCommaText(const QStringList& entries)
{
    if (entries.size() == 1 && entries.first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(entries.size());
    for (const QString& entry : entries)
        parts.append(NeedsQuotes(entry) ? Quoted(entry) : entry);
    return parts.join(u',');
}
