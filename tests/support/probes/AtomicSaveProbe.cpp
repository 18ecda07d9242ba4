// A program that saves as another user, for tests of files that user may not write:
//   AtomicSaveProbe UID GID file PATH BYTES
//   AtomicSaveProbe UID GID ini PATH SECTION KEY VALUE
// Run as root, it first becomes UID/GID (no other groups); otherwise it stays who it is.
// It saves BYTES to PATH through an atomic save, or writes the INI value, and prints
// "saved" or "failed <why>".
#include "platform/core/Exception.h"
#include "platform/files/AtomicFile.h"
#include "platform/ini/IniFile.h"

#include <QCoreApplication>
#include <cstdio>
#include <grp.h>
#include <unistd.h>

namespace {

int Say(const QString& line, int code)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    return code;
}

bool BecomeUser(uid_t uid, gid_t gid)
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(gid) == 0 && setuid(uid) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 6 || !BecomeUser(args[1].toUInt(), args[2].toUInt()))
        return 2;
    if (args[3] == QStringLiteral("file")) {
        QString error;
        return SaveFileAtomically(args[4], args[5].toUtf8(), &error) ? Say(QStringLiteral("saved"), 0)
                                                                      : Say(QStringLiteral("failed ") + error, 1);
    }
    if (args[3] != QStringLiteral("ini") || args.size() < 8)
        return 2;
    try {
        TIniFile(args[4]).WriteString(args[5], args[6], args[7]);
        return Say(QStringLiteral("saved"), 0);
    } catch (const Exception& e) {
        return Say(QStringLiteral("failed ") + e.Message(), 1);
    }
}
