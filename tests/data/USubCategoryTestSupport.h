#pragma once
// Shared by the subset and test-unit tests: a category folder with the subset unit
// started, subset files written byte for byte, and Answer.cds written by the dataset
// engine.

#include "data/USubCategory.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <gtest/gtest.h>
#include <vector>

// Writes Folder + "Answer.cds" with one text answer per number, in this stored order.
inline void WriteAnswerFile(const QString& folder, const std::vector<int>& numbers)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (int no : numbers) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("answer %1").arg(no));
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Answer.cds"));
}

class SubsetFolder : public testing::Test {
protected:
    explicit SubsetFolder(std::vector<TUnit> moreUnits = {})
        : units_(WithSubCategory(std::move(moreUnits)))
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
    static std::vector<TUnit> WithSubCategory(std::vector<TUnit> more)
    {
        more.insert(more.begin(), {"USubCategory", InitializeUSubCategory, FinalizeUSubCategory});
        return more;
    }

    TUnits units_;
};
