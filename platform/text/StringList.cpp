#include "platform/text/StringList.h"

#include "platform/core/Checked.h"
#include "platform/files/AtomicFile.h"
#include "platform/text/Ansi.h"
#include "platform/text/CommaText.h"

#include <QFile>

#include <algorithm>

namespace {

bool SameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Position of the name=value separator, -1 when the line has none.
qsizetype SeparatorAt(const QString& line) { return line.indexOf(u'='); }

} // namespace

void TStringList::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

const QString& TStringList::Strings(int index) const
{
    CheckIndex(index, Count());
    return lines_[index];
}

QString& TStringList::operator[](int index)
{
    CheckIndex(index, Count());
    return lines_[index];
}

int TStringList::Add(const QString& line)
{
    lines_.append(line);
    return Count() - 1;
}

void TStringList::Insert(int index, const QString& line)
{
    CheckIndex(index, Count() + 1);
    lines_.insert(index, line);
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    lines_.removeAt(index);
}

int TStringList::IndexOf(const QString& line) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(lines_[i], line))
            return i;
    return -1;
}

void TStringList::Sort()
{
    std::stable_sort(lines_.begin(), lines_.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

QString TStringList::Text() const
{
    QString text;
    for (const QString& line : lines_)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TStringList::SetText(const QString& text)
{
    lines_.clear();
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        lines_.append(text.sliced(pos, end - pos));
        if (end < text.size() && text[end] == u'\r')
            ++end;
        if (end < text.size() && text[end] == u'\n')
            ++end;
        pos = end;
    }
}

QString TStringList::CommaText() const { return JoinCommaText(lines_); }

void TStringList::SetCommaText(const QString& text) { lines_ = SplitCommaText(text); }

QString TStringList::Names(int index) const
{
    const QString& line = Strings(index);
    const qsizetype at = SeparatorAt(line);
    return at < 0 ? QString() : line.first(at);
}

QString TStringList::ValueFromIndex(int index) const
{
    const QString& line = Strings(index);
    const qsizetype at = SeparatorAt(line);
    return at < 0 ? QString() : line.sliced(at + 1);
}

int TStringList::IndexOfName(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const qsizetype at = SeparatorAt(lines_[i]);
        if (at >= 0 && SameText(lines_[i].first(at), name))
            return i;
    }
    return -1;
}

QString TStringList::Values(const QString& name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? QString() : ValueFromIndex(index);
}

void TStringList::SetValue(const QString& name, const QString& value)
{
    int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    if (index < 0)
        index = Add(QString());
    lines_[index] = name + u'=' + value;
}

void TStringList::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    SetText(DecodeAnsi(bytes));
}

void TStringList::SaveToFile(const QString& fileName) const
{
    QString error;
    if (!SaveFileAtomically(fileName, EncodeAnsi(Text()), &error))
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, error));
}
