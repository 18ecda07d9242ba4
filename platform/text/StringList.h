#pragma once
// An ordered list of texts with the lookups the system relies on:
//  - IndexOf, IndexOfName and Sort compare without regard to letter case (full-width
//    Latin letters included); lines are compared unchanged, never trimmed.
//  - Text: every line followed by CR LF; SetText splits at CR LF, LF or CR (a line break
//    at the very end adds no empty line).
//  - CommaText: the rules of CommaText.h.
//  - name=value lines: the name is the text before the first "=", the value the text
//    after it; a line without "=" has no name. SetValue with an empty value removes the
//    line of that name.
//  - Files are CP932 text; SaveToFile writes the whole file or leaves the old one.
// Indexes outside the list raise ERangeError; file errors raise Exception naming the file.

#include <QString>
#include <QStringList>

class TStringList {
public:
    TStringList() = default;

    int Count() const { return static_cast<int>(lines_.size()); }
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }
    QString& operator[](int index);
    const QStringList& Lines() const { return lines_; }

    int Add(const QString& line);
    void Insert(int index, const QString& line);
    void Delete(int index);
    void Clear() { lines_.clear(); }

    int IndexOf(const QString& line) const;
    void Sort();

    QString Text() const;
    void SetText(const QString& text);
    QString CommaText() const;
    void SetCommaText(const QString& text);

    QString Names(int index) const;
    QString ValueFromIndex(int index) const;
    int IndexOfName(const QString& name) const;
    QString Values(const QString& name) const;
    void SetValue(const QString& name, const QString& value);

    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;

private:
    void CheckIndex(int index, int count) const;

    QStringList lines_;
};
