#include "tests/support/CategoryFolder.h"

#include "platform/dataset/ClientDataSet.h"
#include "platform/text/Ansi.h"

#include <QFile>
#include <QStringList>

namespace {

// NO, TYPE and DATA, the fields of Question.cds and Answer.cds; TYPE 1 is text.
void WriteTextRows(const QString& path, int count, const QString& prefix)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (int no = 1; no <= count; ++no) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(prefix + QString::number(no));
        ds.Post();
    }
    ds.SaveToFile(path);
}

} // namespace

void WriteCategoryFolder(const TempProgramFolder& program, const QString& name, int count)
{
    program.MakeDir(name);
    WriteTextRows(program.FilePath(name + QStringLiteral("/Question.cds")), count,
                  QStringLiteral("question "));
    WriteTextRows(program.FilePath(name + QStringLiteral("/Answer.cds")), count,
                  QStringLiteral("answer "));
}

void WriteMenuInf(const TempProgramFolder& program, const char* utf8)
{
    program.Write(QStringLiteral("Menu.inf"), EncodeAnsi(QString::fromUtf8(utf8)));
}

QString ReadMenuInf(const TempProgramFolder& program)
{
    QFile file(program.FilePath(QStringLiteral("Menu.inf")));
    return file.open(QIODevice::ReadOnly) ? DecodeAnsi(file.readAll()) : QString();
}

QStringList ReadLogLines(const TempProgramFolder& program)
{
    QFile file(program.FilePath(QStringLiteral("Vek.Log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeAnsi(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}
