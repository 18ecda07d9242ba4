#include "platform/vcl/FileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace {

TFileDialogAnswerer answerer;

QString PatternsOf(const QString& windowsPatterns)
{
    QStringList patterns;
    for (const QString& pattern : windowsPatterns.split(';', Qt::SkipEmptyParts))
        patterns << (pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed());
    return patterns.join(' ');
}

std::optional<QString> Show(const TFileDialogQuestion& question, const QString& title)
{
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(question.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!question.NameFilters.isEmpty())
        dialog.setNameFilters(question.NameFilters);
    dialog.setDirectory(question.InitialDir);
    if (!question.FileName.isEmpty())
        dialog.selectFile(question.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

QStringList NameFiltersOf(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString own = '(' + parts[i + 1].trimmed() + ')';
        if (description.endsWith(own))
            description = description.chopped(own.size()).trimmed();
        filters << description + " (" + PatternsOf(parts[i + 1]) + ')';
    }
    return filters;
}

bool TOpenDialog::Execute()
{
    TFileDialogQuestion question{Saving(), NameFiltersOf(Filter), FileName, InitialDir};
    if (question.InitialDir.isEmpty())
        question.InitialDir = FileName.isEmpty() || QFileInfo(FileName).isRelative()
                                  ? QDir::currentPath()
                                  : QFileInfo(FileName).absolutePath();
    const std::optional<QString> chosen = answerer ? answerer(question) : Show(question, Title);
    if (!chosen)
        return false;
    FileName = *chosen;
    return true;
}

TFileDialogAnswerer SetFileDialogAnswerer(TFileDialogAnswerer newAnswerer)
{
    return std::exchange(answerer, std::move(newAnswerer));
}
