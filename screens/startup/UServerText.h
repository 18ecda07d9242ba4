#pragma once
// The server texts of the news check and the rules that decide what they may do, without
// widgets, files or network, so that any text a server sends can be tried against them.
//
// A server text is the reply body in CP932, trimmed of blanks and line breaks at both
// ends and split into lines at line breaks. Each line is a name=value pair split at its
// first "="; names are matched without regard to case and the first line with a name
// wins. Values are used trimmed.
//  - File and Ini hold comma text of entry names; each entry is a further line of the
//    text. A File entry is comma text of a download address and a target path relative
//    to the program folder; an Ini entry is an INI file path relative to the program
//    folder, a section, a key and a value.
//  - Info names a text file relative to the program folder; Version and VersionUpURL
//    describe the current release.
//
// What a text may touch: only files below the program folder (no absolute path, no drive
// letter, no ".." element with "\" or "/"). A File entry is fetched only from an http or
// https address and never replaces the program, a shared library, or the learner's
// records and settings (Reply.cds, UnitHistory.cds, subset files, Control.inf, Menu.inf,
// Form.dat, Menu.dat, Vek.Log, anything under ImageAnswer). An Ini entry writes only into
// a file ending ".inf" or ".ini". An entry that breaks a rule is refused with a reason.
//
// How much the check takes: a server text and a notice file up to 1 MiB each (far above
// any real text), a File entry's download up to 64 MiB, an Ini entry's file up to 1 MiB
// (it is read whole to be changed); a larger one is refused whole.

#include "platform/text/StringList.h"

#include <QByteArray>
#include <QString>
#include <vector>

inline constexpr qint64 ServerTextLimit = qint64(1) << 20;
inline constexpr qint64 NoticeLimit = qint64(1) << 20;
inline constexpr qint64 DownloadLimit = qint64(64) << 20;
inline constexpr qint64 IniFileLimit = qint64(1) << 20;

// Lines := the server text of a reply body.
void SetServerText(TStringList& lines, const QByteArray& body);
// The trimmed value of the first line named name; empty when no line has that name.
QString ServerValue(const TStringList& lines, const QString& name);

// "info", the version with every "." removed, ".txt": "info2000.txt" for 2.0.0.0.
QString VersionTextName(const QString& version);

// True for an absolute http or https address with a host.
bool IsWebAddress(const QString& address);
// Why path (relative to the program folder) may not be used, or empty when it may: it
// must be non-empty, relative, without drive letter, control characters or "..".
QString CheckBelowProgramFolder(const QString& path);
// The same, and why a File entry may not write that target: executableName is the
// program's file name.
QString CheckFileTarget(const QString& target, const QString& executableName);
// The same, and why an Ini entry may not write into that file.
QString CheckIniFile(const QString& file);

struct TFileEntry {
    QString Name;    // the entry name
    QString Url;     // the download address
    QString Target;  // relative to the program folder
    QString Refusal; // why the entry is skipped; empty when it is carried out
};

struct TIniEntry {
    QString Name;
    QString File; // relative to the program folder
    QString Section;
    QString Key;
    QString Value;
    QString Refusal;   // why the entry is skipped; empty when it is carried out
    bool Stop = false; // malformed: this entry and the text's remaining ones are skipped
};

// The File entries of a text, in order, each carried out or refused.
std::vector<TFileEntry> FileEntries(const TStringList& lines, const QString& executableName);
// The Ini entries of a text, in order, up to and including the first that stops them.
std::vector<TIniEntry> IniEntries(const TStringList& lines);
