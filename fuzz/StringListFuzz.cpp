// Fuzz target of string lists and comma text, on CP932 text as files hold it. Checked:
//  - Text and SetText: the lines of a text, written and read again, are the same lines;
//  - comma text: the entries of a text, joined and split again, are the same entries,
//    through a string list's CommaText as through SplitCommaText and JoinCommaText;
//  - Sort leaves the lines in order; IndexOf and IndexOfName find the first match;
//    Values of a name is the text after the first "=" of its first line.
#include "platform/text/Ansi.h"
#include "platform/text/CommaText.h"
#include "platform/text/StringList.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckLines(const QString& text)
{
    TStringList list;
    list.SetText(text);
    TStringList again;
    again.SetText(list.Text());
    Check(again.Lines() == list.Lines());

    list.Sort();
    for (int i = 1; i < list.Count(); ++i)
        Check(list[i - 1].compare(list[i], Qt::CaseInsensitive) <= 0);
    for (int i = 0; i < list.Count() && i < 64; ++i) {
        const int found = list.IndexOf(list[i]);
        Check(found >= 0 && found <= i);
        const QString name = list.Names(i);
        if (!name.isEmpty()) {
            const int first = list.IndexOfName(name);
            Check(first >= 0 && first <= i);
            Check(list.Values(name) == list.ValueFromIndex(first));
        }
    }
}

void CheckCommaText(const QString& text)
{
    const QStringList entries = SplitCommaText(text);
    Check(SplitCommaText(JoinCommaText(entries)) == entries);
    TStringList list;
    list.SetCommaText(text);
    Check(list.Lines() == entries);
    TStringList again;
    again.SetCommaText(list.CommaText());
    Check(again.Lines() == entries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = DecodeAnsi(QByteArrayView(data, static_cast<qsizetype>(size)));
    CheckLines(text);
    CheckCommaText(text);
    return 0;
}
