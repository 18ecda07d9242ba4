#pragma once
// Shared by the subset and test-unit tests: a category folder with the subset unit
// started, subset files written byte for byte, and Answer.cds written by the dataset
// engine.

#include "data/USubCategory.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <gtest/gtest.h>
#include <vector>

// Writes Folder + "Answer.cds" with one text answer per number, in this stored order.
inline void WriteAnswerFile(const QString& folder, const std::vector<int>& numbers)
{
    std::vector<TRecordRow> rows;
    for (int no : numbers)
        rows.push_back({no, 1, QStringLiteral("answer %1").arg(no)});
    WriteRecordFile(folder + QStringLiteral("Answer.cds"), rows);
}

class SubsetFolder : public testing::Test {
protected:
    // units: those the test needs, from the program's list; the subset store at least.
    explicit SubsetFolder(std::vector<TUnit> units = ProgramUnits({"USubCategory"}))
        : units_(std::move(units))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
        SubCategory->SetFolder(Folder());
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        program_.Write(QStringLiteral("VEKTest/") + name, bytes);
    }
    QByteArray ReadFile(const QString& name) const { return program_.Read(QStringLiteral("VEKTest/") + name); }
    // The names in the category folder, sorted by their exact text.
    QStringList Files() const
    {
        return QDir(Folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    void SaveChoice(const QString& name) const
    {
        TIniFile(Folder() + QStringLiteral("Control.inf"))
            .WriteString(QStringLiteral("SubCategoryIndex"), QStringLiteral("Index"), name);
    }
    QString SavedChoice() const
    {
        return TIniFile(Folder() + QStringLiteral("Control.inf"))
            .ReadString(QStringLiteral("SubCategoryIndex"), QStringLiteral("Index"), QStringLiteral("<none>"));
    }

    TempProgramFolder program_;

private:
    TUnits units_;
};
