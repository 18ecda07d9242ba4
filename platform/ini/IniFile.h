#pragma once
// An INI file with the rules of the Windows profile functions (see IniText.h for how the
// lines are read) in the Japanese ANSI code page (CP932).
//  - Every call opens the file, does its one thing and closes it; nothing is cached, so
//    a value written by anyone is seen by the next read.
//  - Reads of a missing or unreadable file, section or key give the default.
//  - A write changes only the line of its key (or adds it, and its section, with CR LF
//    line ends); every other byte of the file stays. It creates a missing file, never a
//    missing folder. The new content goes to a temporary file in the same folder that
//    then replaces the old one, so the file is never left half-written.
//  - A write that cannot be done raises Exception naming the file, and leaves it as it
//    was; so does a write of an entry that would change the file's structure (a line
//    break, a section name holding "]", a key name starting with "[" or ";" or holding
//    "=": see TIniText::EntryFault).
//  - Lines end at CR LF, LF or a lone CR when read; new lines are written with CR LF.
//  - Values are stored as given; reading takes off surrounding blanks and one pair of
//    enclosing quotes, as Windows does, so such values do not read back as written.
//  - Integers are written in decimal and read in decimal or "0x"/"$" hexadecimal (see
//    ProfileInteger.h); a value that is not an integer gives the default. Booleans are
//    written "1"/"0" and read as integers, non-zero meaning true.

#include <QString>

class TIniFile {
public:
    explicit TIniFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }

    // True when Key, written as a key by this layer, reads back by the rules above as
    // exactly this key and no other: false for an empty key, one with a line break, one
    // starting with "[" (a value holding "]" would make its line a section header) or ";",
    // one holding "=", one with surrounding blanks, and one holding a character that
    // CP932 cannot hold. Decided by a round trip through the layer's own line rules.
    static bool KeyReadsBack(const QString& key);
    // The form in which keys are matched: keys of equal forms are one key of a section.
    static QString KeyMatchForm(const QString& key);

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // True when the section holds the key, whatever its value (an empty one included).
    bool ValueExists(const QString& section, const QString& key) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

private:
    QString fileName_;
};
