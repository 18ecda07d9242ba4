#include "VclTestSupport.h"
#include "platform/vcl/FileDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString SubsetFilter = "カテゴリーファイル|*.sub|全てのファイル|*.*";

// Once the file dialog is up: types name into its file-name field and presses Enter.
void TypeFileName(const QString& name, QStringList* filters = nullptr)
{
    WhenModal([name, filters] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (filters)
            *filters = dialog->nameFilters();
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    }, 50);
}

TEST(FileDialog, FiltersInTheClassLibraryForm)
{
    EXPECT_EQ(NameFiltersOf(SubsetFilter),
              QStringList({"カテゴリーファイル (*.sub)", "全てのファイル (*)"}));
    EXPECT_EQ(NameFiltersOf("Subset (*.sub)|*.sub"), QStringList({"Subset (*.sub)"}));
    EXPECT_EQ(NameFiltersOf("Pictures|*.bmp;*.jpg"), QStringList({"Pictures (*.bmp *.jpg)"}));
    EXPECT_TRUE(NameFiltersOf("").isEmpty());
}

TEST(FileDialog, OpenDialogDrivenByKeysReturnsTheChosenFile)
{
    QTemporaryDir folder;
    QFile file(folder.filePath("Verbs.sub"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TOpenDialog dialog;
    dialog.Filter = SubsetFilter;
    dialog.InitialDir = folder.path();
    QStringList filters;
    TypeFileName("Verbs.sub", &filters);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, folder.filePath("Verbs.sub"));
    EXPECT_EQ(filters.first(), "カテゴリーファイル (*.sub)");
}

TEST(FileDialog, SaveDialogStartsWithThePresetNameAndCancelKeepsIt)
{
    QTemporaryDir folder;
    TSaveDialog dialog;
    dialog.Filter = SubsetFilter;
    dialog.InitialDir = folder.path();
    dialog.FileName = "Kanji.Sub";
    TypeFileName(""); // nothing typed: the preset name stands in the field
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, folder.filePath("Kanji.Sub"));

    dialog.FileName = "Other.Sub";
    WhenModal([] {
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    }, 50);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "Other.Sub");
}

TEST(FileDialog, AnswererChoosesInsteadOfTheDialog)
{
    TFileDialogQuestion seen;
    const TFileDialogAnswerer previous = SetFileDialogAnswerer([&](const TFileDialogQuestion& q) {
        seen = q;
        return std::optional<QString>("/tmp/x/Kanji.Sub");
    });
    TSaveDialog dialog;
    dialog.Filter = SubsetFilter;
    dialog.FileName = "Kanji.Sub";
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/tmp/x/Kanji.Sub");
    EXPECT_TRUE(seen.Save);
    EXPECT_EQ(seen.FileName, "Kanji.Sub");
    SetFileDialogAnswerer([](const TFileDialogQuestion&) { return std::nullopt; });
    TOpenDialog open;
    EXPECT_FALSE(open.Execute());
    SetFileDialogAnswerer(previous);
}

} // namespace
