#pragma once
// The bottom layer of the study data: the program folder and the category folders in it,
// the per-category keys of Menu.inf, the text formats that every list and chart shares,
// the question-number filter, the log Vek.Log, the local help pages and the help-page
// probe. Nothing here keeps state between calls; Menu.inf and Vek.Log are opened and
// closed within each call.

#include "platform/datetime/DateTime.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/text/StringList.h"
#include "platform/winapi/Http.h"

#include <QHash>
#include <QString>

class TClientDataSet;
class TFieldDefs;

// Folders and categories. GetAppDir (the program folder, with a trailing "/") comes from
// platform/files.
//
// A category folder is a sub-folder of the program folder that is not hidden (its name
// does not start with "."), whose first three characters are "VEK" in any letter case,
// whose name without surrounding blanks is longer than three characters, and that holds
// both Answer.cds and Question.cds. The two file names are matched without regard to
// letter case, since category folders are often made on Windows.

// True when Folder (without trailing separator) holds both Answer.cds and Question.cds.
bool IsCategoryFolder(const QString& folder);
// Clears Names, then adds the folder name of every category folder of the program folder,
// sorted in ascending order without regard to case. A category folder whose name is not
// valid UTF-8 cannot be opened by name and is not listed; it gets one log line naming it
// (its bytes read as CP932) and saying that it must be renamed.
void ListCategoryFolders(TStringList& names);
// The display name of a category folder: its name from the fourth character on.
QString CategoryDisplayName(const QString& folderName);
// The number of rows of Folder (with trailing separator) + Answer.cds; 0 when that file
// does not exist. A damaged file raises the dataset engine's error.
int GetAnswerRecordCount(const QString& folder);

// Control.inf of a category folder (with trailing separator): the learning settings, list
// column widths, screen positions and subset choice of the category.
QString ControlInfPath(const QString& folder);
TIniFile ControlInf(const QString& folder);

// Per-category keys of Menu.inf, keyed by the category's display name (the folder name
// from the fourth character on): [表示] shown in the menu (default true), [選択回数]
// times chosen (default 0), [更新日時] last use as "yyyy/mm/dd hh:nn:ss" (default "-").
// A name that would not read back as the same key of Menu.inf (IsCategoryKeyName false)
// is never read or written: its reads give the defaults and its writes do nothing, so
// such a name can neither hit another key or section nor add lines at every use.
bool IsCategoryKeyName(const QString& name);
bool GetCategoryVisible(const QString& name);
void SetCategoryVisible(const QString& name, bool visible);
int GetCategorySelectCount(const QString& name);
QString GetCategoryUpdated(const QString& name);
// Counts one use of the category: [選択回数] + 1 and [更新日時] := now.
void CountCategorySelection(const QString& name);
// Category folders whose display names differ only in ASCII letter case ("VEKa" and
// "VEKA") would share one set of keys, as Menu.inf matches keys that way: the first of
// them in list order keeps the keys, each later one has none.
// For folder names in list order: each folder whose display name is the same key as
// that of an earlier folder, mapped to that earlier folder's name.
QHash<QString, QString> CategoryKeySharers(const TStringList& folderNames);
// The key of the category folder (program folder + folder name + separator) for the
// functions above: its display name, or empty (reads give the defaults, writes do nothing)
// when the name cannot be a key or an earlier category folder has the same key.
QString CategoryKeyName(const QString& folder);

// Formats.
// "- %" when whole is 0, else part / whole × 100 rounded, halves away from zero, "#0%".
QString FormatPercent(int part, int whole);
// The same for two decimal texts; a text that is not an integer counts as 0.
QString FormatPercentStr(const QString& part, const QString& whole);
// "- 秒" for a blank text, else the date-time text as "n分ss秒" (hours are not shown).
// A text that is not a date-time raises EConvertError.
QString FormatMinSec(const QString& text);
// "-" for a blank text, else the date-time text as "yyyy/mm/dd hh:mm:ss"; a text that is
// not a date-time raises EConvertError.
QString FormatDateTimeOrDash(const QString& text);
// True when the value is a date-time the formats can show: finite and within
// 0001-01-01 .. 9999-12-31. A stored value outside it (a damaged or foreign file) must
// not keep the rest of a list from being shown.
bool IsShowableDateTime(TDateTime value);
// FormatDateTime(Pattern, Value), or Fallback when the value cannot be shown.
QString FormatDateTimeOr(const QString& pattern, TDateTime value, const QString& fallback);
// DateTimeToStr(Value), or empty when the value cannot be shown.
QString DateTimeToStrOrEmpty(TDateTime value);
// "0" for a blank text, else the text unchanged.
QString ZeroIfBlank(const QString& text);
// The dataset filter "(NO=a) or (NO=b) ..." of the numbers, unchanged and in list order;
// empty for an empty list.
QString BuildNoFilter(const TStringList& numbers);

// Subset files: Folder (with trailing separator) + subset name + ".sub", the extension
// and the name matched without regard to letter case; one line of comma text in CP932
// ended by CR LF. Path is the folder followed by the subset name.
// Creates or replaces the file with Text and CR LF, whole or not at all; raises on failure.
void WriteSubFile(const QString& path, const QString& text);
// The text up to the file's first CR or LF; empty when there is no such file.
QString ReadSubFile(const QString& path);
// List := the subset names of the folder, sorted without regard to case; files whose
// names cannot be subset names (see USubCategoryFiles.h) are left out.
void ListSubFiles(const QString& folder, TStringList& list);
// Deletes every subset file of the folder; a file that cannot be deleted stays.
void DeleteSubFiles(const QString& folder);

// Raises EDataSetError naming the file when the loaded dataset lacks one of the fields
// (matched by name without regard to case): such a file cannot take the store's rows.
void RequireFields(TClientDataSet& dataSet, const TFieldDefs& fields, const QString& path);

// Moves the file that could not be read (the exception being handled says why) to
// Path + ".damaged" (".damaged2" and on when that name is taken; no file is ever
// replaced) and logs one line naming both. Returns the new name; empty when nothing was
// moved (no such file, its bytes cannot be read, the rename fails). Call it inside the
// catch block of the failed read. Never fails towards the caller.
QString SetAsideDamagedFile(const QString& path, const QString& place) noexcept;

// Appends one line to Vek.Log in the program folder (created when missing):
// "[yyyy/mm/dd hh:mm:ss]Moriva.exe Version:<version> Address:$XXXXXXXX <place>.<message>"
// in CP932 with CR LF, where the address is that of the exception being handled (eight
// zeros outside a handler). The line goes to the file in one append, so it is written
// whole or not at all. Never fails towards the caller.
void WriteLog(const QString& place, const QString& message) noexcept;
// One line saying that Count rows of the file Path hold a date or time that cannot be
// shown (IsShowableDateTime); nothing when Count is 0.
void LogUnshowableRows(const QString& place, const QString& path, int count) noexcept;
// WriteLog, the first time this place and message come during the run only: a fault
// met at every showing of the same thing (a picture that cannot be shown) is one line.
void WriteLogOnce(const QString& place, const QString& message) noexcept;

// The local help pages, relative to the program folder, by help-button tag 1..3;
// another index raises ERangeError.
struct THelpFiles {
    const QString& operator[](int tag) const;
};
extern const THelpFiles HelpFiles;

// The help site's host name, a setting of the build (help.moriva.invalid unless the build
// names a real site), and the address of help page 1..3 there without a scheme: the host
// followed by "/help/guide.html", "/help/flow.html" or "/help/info.html"; another page
// number raises ERangeError.
QString HelpSiteHost();
QString HelpSitePage(int tag);

// The help-page probe waits at most 5 s for the connection and 15 s for the whole page,
// so an unreachable site cannot hold up the menu for long.
inline constexpr THttpTimeouts PageProbeTimeouts{5000, 15000};

// The probe reads at most this much of a page: it only asks whether the page is there.
inline constexpr qint64 PageProbeMaxBytes = 1024 * 1024;

// GET of "http://" + Address (host and path): the number of bytes of the reply body, at
// most PageProbeMaxBytes (a longer page counts as that many and is read no further); 0
// when the request fails in any way (no connection, time-out, a status other than 2xx).
int GetPageContentSize(const QString& address,
                       const THttpTimeouts& timeouts = PageProbeTimeouts) noexcept;
