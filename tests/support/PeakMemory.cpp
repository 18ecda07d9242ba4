#include "tests/support/PeakMemory.h"

#include <QByteArray>
#include <QFile>
#include <stdexcept>

namespace {

// A "<name>:   <n> kB" line of /proc/self/status, in bytes.
qint64 StatusBytes(const QByteArray& name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read /proc/self/status");
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    throw std::runtime_error("no such line in /proc/self/status: " + name.toStdString());
}

} // namespace

TPeakMemory::TPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        throw std::runtime_error("cannot reset the peak resident memory");
    clear.close();
    base_ = StatusBytes("VmRSS");
}

qint64 TPeakMemory::GrowthBytes() const
{
    return StatusBytes("VmHWM") - base_;
}
