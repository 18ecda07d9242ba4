#pragma once
// Shared by the program tests: a fresh program folder, a runtime folder of its own for
// the single-instance guard, and a real HTTP server for the news check.

#include "platform/text/Ansi.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class ProgramRun : public testing::Test {
protected:
    ProgramRun() : previousRuntime_(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime.path()));
    }
    ~ProgramRun() override { qputenv("XDG_RUNTIME_DIR", previousRuntime_); }

    QString Url(const QByteArray& path) const
    {
        return QStringLiteral("http://") + Server.Address(QString::fromLatin1(path));
    }
    // Menu.inf [Server] File := the server's folder "/news/".
    void PointAtServer() const
    {
        Folder.Write(QStringLiteral("Menu.inf"),
                     EncodeAnsi(QStringLiteral("[Server]\r\nFile=") + Url("/news/") + QStringLiteral("\r\n")));
    }
    void Serve(const QByteArray& path, const QString& text, int delayMs = 0)
    {
        Server.Route(path, {200, EncodeAnsi(text), false, delayMs});
    }
    // The lines of Vek.Log without time stamp and address: "<place>.<message>".
    QStringList LogLines() const
    {
        if (!QFile::exists(Folder.FilePath(QStringLiteral("Vek.Log"))))
            return {};
        static const QRegularExpression stamp(
            QStringLiteral("^\\[[^\\]]*\\]Moriva\\.exe Version:\\S* Address:\\$\\w{8} "));
        QStringList lines = DecodeAnsi(Folder.Read(QStringLiteral("Vek.Log"))).split(QStringLiteral("\r\n"));
        lines.removeLast();
        for (QString& line : lines)
            line.remove(stamp);
        return lines;
    }

    TempProgramFolder Folder;
    QTemporaryDir Runtime;
    TLocalHttpServer Server;

private:
    QByteArray previousRuntime_;
};
