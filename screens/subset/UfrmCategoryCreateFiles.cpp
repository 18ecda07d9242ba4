// The subset editor's import and export of subset files. An import copies the chosen file
// into the category folder, makes its subset the saved choice and adds it to the editor's
// list; an export writes the right list's numbers to the chosen file. Neither ever
// replaces one of the category's own data files.
#include "screens/subset/UfrmCategoryCreate.h"

#include "data/UConst.h"
#include "data/USubCategory.h"
#include "data/USubCategoryFiles.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Dialogs.h"
#include "screens/subset/USubsetNameText.h"

#include <QFileInfo>

namespace {

const QString OverwriteText = QStringLiteral("同じ名称のカテゴリーがあります。上書きしますか？");
const QString WriteFailedText = QStringLiteral("ファイルの書き込みに失敗しました。");

// The files of a category folder that hold its data, not a subset.
bool IsCategoryDataFile(const QString& fileName)
{
    static const QStringList dataFiles{
        QStringLiteral("Question.cds"), QStringLiteral("Answer.cds"), QStringLiteral("Reply.cds"),
        QStringLiteral("UnitHistory.cds"), QStringLiteral("Control.inf"), QStringLiteral("Form.dat")};
    return dataFiles.contains(fileName, Qt::CaseInsensitive);
}

void ShowError(const QString& text)
{
    MessageDlg(text, TMsgDlgType::mtError, mbYes);
}

// The file name without its extension (the text before its last ".").
QString WithoutExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.first(dot);
}

bool IsSameFile(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace

void TfrmCategoryCreateControl::btnImportClick()
{
    TOpenDialog& dialog = *frmCategoryCreate->OpenDialog;
    if (!dialog.Execute())
        return;
    const QString source = dialog.FileName;
    const QString fileName = QFileInfo(source).fileName();
    if (IsCategoryDataFile(fileName)) {
        ShowError(QStringLiteral("「%1」はカテゴリーのデータファイルの名前です。インポートできません。").arg(fileName));
        return;
    }
    const bool isSubset = IsSubFileName(fileName);
    const QString name = isSubset ? SubNameOf(fileName) : WithoutExtension(fileName);
    if (const TSubsetNameFault fault = SubsetNameFault(name); fault != TSubsetNameFault::None) {
        QString text = QStringLiteral("「%1」はカテゴリー名として使えません。").arg(fileName);
        if (const QString reason = SubsetNameFaultText(fault); !reason.isEmpty())
            text += QStringLiteral("\r\n") + reason;
        ShowError(text);
        return;
    }

    // A file there whose name differs only in letter case is the one replaced.
    const QString target = ResolvePath(Folder, fileName);
    if (!IsSameFile(source, target)) {
        bool taken = FileExists(target);
        for (int i = 0; isSubset && !taken && i < NameValueList->Count(); ++i)
            taken = NameValueList->Names(i).compare(name, Qt::CaseInsensitive) == 0;
        if (taken && MessageDlg(OverwriteText, TMsgDlgType::mtWarning, mbYesNo) != mrYes)
            return;
        if (!CopyFile(source, target, !FileExists(target))) {
            ShowError(WriteFailedText);
            return;
        }
    }
    const QString importedFile = QFileInfo(target).fileName();
    const QString imported = isSubset ? SubNameOf(importedFile) : WithoutExtension(importedFile);
    SubCategory->SaveSelection(imported);
    if (isSubset)
        JoinImported(imported, ReadSubFile(Folder + imported));
}

void TfrmCategoryCreateControl::JoinImported(const QString& name, const QString& numbers)
{
    StoreSelection();
    // The line of that name, spelt alike or else in any letter case, or a new one.
    int line = -1;
    for (int i = 0; i < NameValueList->Count() && line < 0; ++i)
        if (NameValueList->Names(i) == name)
            line = i;
    for (int i = 0; i < NameValueList->Count() && line < 0; ++i)
        if (NameValueList->Names(i).compare(name, Qt::CaseInsensitive) == 0)
            line = i;
    if (line < 0)
        line = NameValueList->Add(QString());
    (*NameValueList)[line] = name + u'=' + numbers;
    if (line == Index)
        Name = name;
    RefreshCategoryCombo();
}

void TfrmCategoryCreateControl::btnExportClick()
{
    TSaveDialog& dialog = *frmCategoryCreate->SaveDialog;
    dialog.FileName = Name + QStringLiteral(".Sub");
    if (!dialog.Execute())
        return;
    const QString path = dialog.FileName;
    const QString fileName = QFileInfo(path).fileName();
    if (IsCategoryDataFile(fileName)) {
        ShowError(QStringLiteral("「%1」はカテゴリーのデータファイルの名前です。書き出せません。").arg(fileName));
        return;
    }
    if (FileExists(path) && MessageDlg(OverwriteText, TMsgDlgType::mtWarning, mbYesNo) != mrYes)
        return;
    const QString text = GetSelectionText();
    try {
        WriteFileAtomic(path, text.isEmpty() ? QByteArray() : EncodeAnsi(text + QStringLiteral("\r\n")));
    } catch (...) {
        WriteLog(QStringLiteral("TfrmCategoryCreateControl.btnExportClick"), ExceptMessage());
        ShowError(WriteFailedText);
    }
}
