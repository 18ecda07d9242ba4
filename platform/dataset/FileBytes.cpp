#include "platform/dataset/FileBytes.h"

#include "platform/dataset/DataSetError.h"
#include "platform/dataset/LargeBlock.h"

#include <QFile>
#include <limits>

namespace {

[[noreturn]] void CannotRead(const QString& path, const QFile& file)
{
    throw EDataSetError(QStringLiteral("Cannot read file %1: %2").arg(path, file.errorString()));
}

} // namespace

TFileBytes::TFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw EDataSetError(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));
    const qint64 expected = file.size();
    if (expected <= 0 || expected >= static_cast<qint64>(std::numeric_limits<qsizetype>::max())) {
        // Empty, or a size the system does not report (a pipe): read as it comes.
        bytes_ = file.readAll();
        if (file.error() != QFileDevice::NoError)
            CannotRead(path, file);
        return;
    }
    capacity_ = static_cast<std::size_t>(expected);
    block_ = static_cast<char*>(LargeBlock::Allocate(capacity_));
    qint64 got = 0;
    while (got < expected) {
        const qint64 n = file.read(block_ + got, expected - got);
        if (n < 0)
            CannotRead(path, file);
        if (n == 0)
            break;
        got += n;
    }
    // A file that grew while it was read is read to its end.
    QByteArray rest = got == expected ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError)
        CannotRead(path, file);
    if (rest.isEmpty())
        bytes_ = QByteArray::fromRawData(block_, static_cast<qsizetype>(got));
    else
        bytes_ = QByteArray(block_, static_cast<qsizetype>(got)) + rest;
}

TFileBytes::~TFileBytes()
{
    LargeBlock::Free(block_, capacity_);
}
