#pragma once
// The lines of one INI file and what the profile rules make of each: a section header,
// a key line, or anything else (blank line, ";" comment, unknown text). Every line keeps
// its exact bytes and its own line end, so a change rewrites only the line it concerns
// and all other bytes of the file stay as they were.
//
// Reading rules (those of the Windows profile functions):
//  - lines end at CR LF, LF or a lone CR; the last line may lack a line end;
//  - blanks (space, tab, CR, LF, VT, FF) before a line's first character are skipped;
//  - "[name]" starts a section: name is the text up to the first "]", taken as it is;
//  - ";" starts a comment; a blank line and a comment are nobody's key;
//  - any other line is a key: the name is the text before the first "=", the value the
//    text after it, both without surrounding blanks; a line without "=" is a key with an
//    empty value; lines before the first section belong to no section;
//  - a value enclosed in a matching pair of double (or single) quotes loses that pair;
//  - the section and key names a caller gives are taken without surrounding blanks;
//  - section and key names are compared ignoring ASCII letter case only, on the decoded
//    text, so "ｶﾃｺﾞﾘ幅" and kanji names match exactly and a double-byte character
//    never matches because of its trail byte; the first section of a name and its first
//    key of a name count, later duplicates are left alone.

#include <QByteArray>
#include <QList>
#include <QString>

class TIniText {
public:
    explicit TIniText(const QByteArray& bytes = {});

    QByteArray Bytes() const;

    // Index of the key line, -1 when the section or the key is missing.
    int FindKey(const QString& section, const QString& key) const;
    // The value of a key line found by FindKey, read by the rules above.
    QString Value(int line) const;
    // The name of a key line found by FindKey, as the line spells it.
    QString Name(int line) const;

    // Sets key=value: the key's line is rewritten in place; a missing key is added after
    // the last key of its section (right after the header when it has none); a missing
    // section is added at the end of the text. New lines end with CR LF. Raises Exception
    // with EntryFault's reason, changing nothing, when the entry cannot be written.
    void SetValue(const QString& section, const QString& key, const QString& value);

    // Why section, key and value cannot be written, or empty when they can. Refused is
    // what would add lines or make the written line read as something else than the key:
    // a line break anywhere, a section name holding "]", a key name that (without its
    // surrounding blanks) starts with "[" or ";" or holds "=". Lines of a file that hold
    // such names are still read as the rules above say.
    static QString EntryFault(const QString& section, const QString& key, const QString& value);

    // The form in which names are compared (ASCII letters upper-cased): two names are the
    // same section or key when their forms are equal.
    static QString FoldedName(const QString& name);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n", "\r" or "" (the last line only)
        Kind kind = Kind::Other;
        QString name;    // section or key name
        QString value;   // key value as read
    };

    static Line Parse(QByteArray text, QByteArray end);
    int FindSection(const QString& section) const;
    int SectionEnd(int header) const;
    void Insert(int at, const QString& text);

    QList<Line> lines_;
};
