#include "tests/support/CategoryFolder.h"

#include "tests/support/CategoryFiles.h"
#include "platform/text/Ansi.h"

#include <QFile>
#include <QStringList>

namespace {

// Question.cds or Answer.cds with count text rows numbered 1..count.
void WriteTextRows(const QString& path, int count, const QString& prefix)
{
    std::vector<TRecordRow> rows;
    for (int no = 1; no <= count; ++no)
        rows.push_back({no, 1, prefix + QString::number(no)});
    WriteRecordFile(path, rows);
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
