#pragma once
// File dialogs. Filter is in the class library's form: pairs of a description and
// patterns separated by "|", patterns separated by ";" ("Subset (*.sub)|*.sub|All|*.*");
// "*.*" matches every file, and patterns match without regard to case. FileName presets
// the name (and after Execute holds the chosen path); InitialDir is the folder to start in
// (the folder of FileName, or the working folder, when empty). Execute returns false when
// the user cancels. The save dialog does not ask before overwriting: callers ask.
//
// Tests answer file dialogs by setting a FileDialogAnswerer: it gets the question and
// returns the chosen path, or nothing for Cancel.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct TFileDialogQuestion {
    bool Save = false;
    QStringList NameFilters; // in Qt's form, "Subset (*.sub)"
    QString FileName;
    QString InitialDir;
};
using TFileDialogAnswerer = std::function<std::optional<QString>(const TFileDialogQuestion&)>;

// Sets the answerer (an empty one shows real dialogs again); returns the previous one.
TFileDialogAnswerer SetFileDialogAnswerer(TFileDialogAnswerer answerer);

// "desc|*.a;*.b|..." as Qt name filters: "desc (*.a *.b)", "*.*" becoming "*".
QStringList NameFiltersOf(const QString& filter);

class TOpenDialog {
public:
    virtual ~TOpenDialog() = default;

    QString Filter;
    QString FileName;
    QString InitialDir;
    QString Title;

    bool Execute();

protected:
    virtual bool Saving() const { return false; }
};

class TSaveDialog : public TOpenDialog {
protected:
    bool Saving() const override { return true; }
};
