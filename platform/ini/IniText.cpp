#include "platform/ini/IniText.h"

#include "platform/core/Exception.h"
#include "platform/text/Ansi.h"

namespace {

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f';
}

QString TrimBlanks(const QString& s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.mid(first, last - first);
}

QString StripQuotes(const QString& s)
{
    if (s.size() >= 2 && (s.front() == u'"' || s.front() == u'\'') && s.back() == s.front())
        return s.mid(1, s.size() - 2);
    return s;
}

char16_t FoldAscii(char16_t c) { return (c >= 'a' && c <= 'z') ? char16_t(c - 'a' + 'A') : c; }

bool SameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i].unicode()) != FoldAscii(b[i].unicode()))
            return false;
    return true;
}

} // namespace

QString TIniText::FoldedName(const QString& name)
{
    QString folded = name;
    for (QChar& c : folded)
        c = QChar(FoldAscii(c.unicode()));
    return folded;
}

TIniText::TIniText(const QByteArray& bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype textEnd = start;
        while (textEnd < bytes.size() && bytes[textEnd] != '\r' && bytes[textEnd] != '\n')
            ++textEnd;
        qsizetype next = textEnd;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next < bytes.size() && bytes[next] == '\n')
            ++next;
        lines_.append(Parse(bytes.mid(start, textEnd - start), bytes.mid(textEnd, next - textEnd)));
        start = next;
    }
}

QString TIniText::EntryFault(const QString& section, const QString& key, const QString& value)
{
    for (const QString* part : {&section, &key, &value})
        if (part->contains(u'\r') || part->contains(u'\n'))
            return QStringLiteral("Line break in an INI entry");
    if (section.contains(u']'))
        return QStringLiteral("INI section name holding \"]\"");
    const QString name = TrimBlanks(key);
    if (name.startsWith(u'[') || name.startsWith(u';') || name.contains(u'='))
        return QStringLiteral("INI key name that would not read as a key");
    return QString();
}

TIniText::Line TIniText::Parse(QByteArray text, QByteArray end)
{
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    // Decoded first: a trail byte of a double-byte character may equal "[", "]" or a letter.
    const QString s = TrimBlanks(DecodeAnsi(line.text));
    if (s.isEmpty() || s.front() == u';')
        return line;
    if (s.front() == u'[') {
        const qsizetype close = s.indexOf(u']');
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = s.mid(1, close - 1);
            return line;
        }
    }
    line.kind = Kind::Key;
    const qsizetype eq = s.indexOf(u'=');
    line.name = TrimBlanks(eq < 0 ? s : s.left(eq));
    if (eq >= 0)
        line.value = StripQuotes(TrimBlanks(s.mid(eq + 1)));
    return line;
}

QByteArray TIniText::Bytes() const
{
    QByteArray out;
    for (const Line& line : lines_)
        out += line.text + line.end;
    return out;
}

int TIniText::FindSection(const QString& section) const
{
    const QString name = TrimBlanks(section);
    for (qsizetype i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, name))
            return int(i);
    return -1;
}

int TIniText::SectionEnd(int header) const
{
    qsizetype i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return int(i);
}

int TIniText::FindKey(const QString& section, const QString& key) const
{
    const int header = FindSection(section);
    if (header < 0)
        return -1;
    const QString name = TrimBlanks(key);
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key && SameName(lines_[i].name, name))
            return i;
    return -1;
}

QString TIniText::Value(int line) const { return lines_.at(line).value; }

QString TIniText::Name(int line) const { return lines_.at(line).name; }

void TIniText::SetValue(const QString& section, const QString& key, const QString& value)
{
    if (const QString fault = EntryFault(section, key, value); !fault.isEmpty())
        throw Exception(fault);
    const int found = FindKey(section, key);
    if (found >= 0) {
        // The key keeps the spelling the file gave it; the line keeps its line end.
        Line& line = lines_[found];
        line = Parse(EncodeAnsi(line.name + u'=' + value), line.end);
        return;
    }
    const int header = FindSection(section);
    const QString keyLine = TrimBlanks(key) + u'=' + value;
    if (header < 0) {
        Insert(int(lines_.size()), u'[' + TrimBlanks(section) + u']');
        Insert(int(lines_.size()), keyLine);
        return;
    }
    int at = header + 1;
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key)
            at = i + 1;
    Insert(at, keyLine);
}

void TIniText::Insert(int at, const QString& text)
{
    // Only the last line can lack a line end; it gets one first.
    if (at > 0 && lines_[at - 1].end.isEmpty())
        lines_[at - 1].end = "\r\n";
    lines_.insert(at, Parse(EncodeAnsi(text), "\r\n"));
}
