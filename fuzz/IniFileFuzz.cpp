// Fuzz target of the INI layer. The input is a write and a file: three NUL-ended fields
// (section, key, value, in CP932) and then the file's bytes. Checked:
//  - the file's bytes survive a read unchanged;
//  - a write either raises Exception or changes only its key: the key reads back the value
//    (as the reading rules give it) and every other key reads as before, in a fresh read
//    of the written bytes;
//  - every value read as an integer gives a result or nothing.
#include "platform/core/Exception.h"
#include "platform/ini/IniText.h"
#include "platform/ini/ProfileInteger.h"
#include "platform/text/Ansi.h"

#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct TProbe {
    QString Section, Key;
};

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }

QString Trimmed(QString s)
{
    while (!s.isEmpty() && IsBlank(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && IsBlank(s.back()))
        s.chop(1);
    return s;
}

// The value as the reading rules give it back: without surrounding blanks and one pair of
// enclosing quotes.
QString AsRead(const QString& value)
{
    const QString s = Trimmed(value);
    if (s.size() >= 2 && (s.front() == u'"' || s.front() == u'\'') && s.back() == s.front())
        return s.mid(1, s.size() - 2);
    return s;
}

// Names worth asking for: whatever looks like a section or a key in the text, plus the
// written pair. A wrong guess reads as missing before and after alike.
std::vector<TProbe> Probes(const QString& text, const QString& section, const QString& key)
{
    std::vector<TProbe> probes{{section, key}};
    QStringList sections{section};
    QStringList keys{key};
    for (const QString& raw : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString line = Trimmed(raw);
        if (line.startsWith(u'[') && line.indexOf(u']') > 0)
            sections.append(line.mid(1, line.indexOf(u']') - 1));
        else if (!line.isEmpty())
            keys.append(Trimmed(line.left(line.indexOf(u'=') < 0 ? line.size() : line.indexOf(u'='))));
    }
    for (const QString& s : sections.mid(0, 8))
        for (const QString& k : keys.mid(0, 16))
            probes.push_back({s, k});
    return probes;
}

bool SameName(const QString& a, const QString& b)
{
    auto fold = [](QString s) {
        for (QChar& c : s)
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 'a' + 'A');
        return Trimmed(s);
    };
    return fold(a) == fold(b);
}

std::vector<QString> Read(const TIniText& text, const std::vector<TProbe>& probes)
{
    std::vector<QString> values;
    for (const TProbe& p : probes) {
        const int line = text.FindKey(p.Section, p.Key);
        values.push_back(line < 0 ? QStringLiteral("<missing>") : text.Value(line));
        if (line >= 0)
            (void)ParseProfileInteger(text.Value(line));
    }
    return values;
}

bool SurvivesCodePage(const QString& s) { return DecodeAnsi(EncodeAnsi(s)) == s; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QByteArray> fields;
    qsizetype at = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype end = input.indexOf('\0', at);
        fields.append(input.mid(at, end < 0 ? 0 : end - at));
        at = end < 0 ? at : end + 1;
    }
    const QString section = DecodeAnsi(fields[0]), key = DecodeAnsi(fields[1]), value = DecodeAnsi(fields[2]);
    const QByteArray file = input.mid(at);

    const TIniText before(file);
    if (before.Bytes() != file)
        std::abort(); // a read must keep every byte
    const std::vector<TProbe> probes = Probes(DecodeAnsi(file), section, key);
    const std::vector<QString> old = Read(before, probes);

    TIniText changed = before;
    try {
        changed.SetValue(section, key, value);
    } catch (const Exception&) {
        if (changed.Bytes() != file)
            std::abort(); // a refused write changes nothing
        return 0;
    }
    const TIniText again(changed.Bytes());
    const std::vector<QString> now = Read(again, probes);
    for (std::size_t i = 1; i < probes.size(); ++i)
        if (!(SameName(probes[i].Section, section) && SameName(probes[i].Key, key)) && now[i] != old[i])
            std::abort(); // another key changed
    if (SurvivesCodePage(section) && SurvivesCodePage(key) && SurvivesCodePage(value) && now[0] != AsRead(value))
        std::abort(); // the written key does not read back
    return 0;
}
