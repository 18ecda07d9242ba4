#include "tests/support/ProgramFolder.h"

#include "platform/files/AppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TempProgramFolder::TempProgramFolder() : TempProgramFolder(QString()) {}

TempProgramFolder::TempProgramFolder(const QString& parent)
    : dir_(QFileInfo(parent).isDir() ? parent + QStringLiteral("/moriva-XXXXXX") : QString()),
      previousOverride_(AppDirOverride())
{
    if (!dir_.isValid())
        ADD_FAILURE() << "cannot create a temporary program folder: " << dir_.errorString().toStdString();
    SetAppDirOverride(Path());
}

TempProgramFolder::~TempProgramFolder()
{
    if (previousOverride_.isEmpty())
        ClearAppDirOverride();
    else
        SetAppDirOverride(previousOverride_);
}

QString TempProgramFolder::Path() const { return dir_.path() + u'/'; }

QString TempProgramFolder::FilePath(const QString& relativeName) const
{
    return Path() + QString(relativeName).replace(u'\\', u'/');
}

void TempProgramFolder::Write(const QString& relativeName, const QByteArray& bytes) const
{
    const QString path = FilePath(relativeName);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray TempProgramFolder::Read(const QString& relativeName) const
{
    QFile file(FilePath(relativeName));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return {};
    }
    return file.readAll();
}

void TempProgramFolder::MakeDir(const QString& relativeName) const
{
    if (!QDir().mkpath(FilePath(relativeName)))
        ADD_FAILURE() << "cannot create the folder " << relativeName.toStdString();
}

void TempProgramFolder::CopyFiles(const QString& source, const QString& relativeName) const
{
    const QDir from(source);
    const QStringList names = from.entryList(QDir::Files);
    EXPECT_FALSE(names.isEmpty()) << "no files to copy in " << source.toStdString();
    for (const QString& name : names) {
        QFile file(from.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        Write(relativeName + u'/' + name, file.readAll());
    }
}
