#pragma once
// Helpers of the dataset tests: the sample files, temporary folders, file bytes, and a
// builder of hand-made binary packets.

#include "platform/dataset/ClientDataSet.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The source tree: the environment's MORIVA_SOURCE_DIR when set, else the one the tests
// were built from.
inline QString SourceDir()
{
    const QString env = qEnvironmentVariable("MORIVA_SOURCE_DIR");
    if (!env.isEmpty())
        return env;
    return QStringLiteral(MORIVA_SOURCE_DIR);
}

inline QString SamplePath(const QString& name)
{
    return SourceDir() + QStringLiteral("/tests/data-files/cds-samples/") + name;
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray Le(std::uint64_t v, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

// A binary packet put together field by field and row by row.
class TTestPacket {
public:
    void Field(const QByteArray& name, std::uint32_t type, const QByteArray& params = {}, int paramCount = 0)
    {
        meta_ += static_cast<char>(name.size()) + name + Le(type, 4) + Le(0, 2) + Le(paramCount, 2) + params;
        ++columns_;
    }
    static QByteArray Width(int width) { return QByteArray("\x05WIDTH") + Le(0x00020002, 4) + Le(width, 2); }
    static QByteArray Subtype(const QByteArray& s)
    {
        return QByteArray("\x07SUBTYPE") + Le(0x00490002, 4) + Le(s.size() + 1, 2) + s + QByteArray(1, '\0');
    }
    void Param(const QByteArray& name, std::uint32_t type, const QByteArray& value)
    {
        params_ += static_cast<char>(name.size()) + name + Le(type, 4) + value;
        ++paramCount_;
    }
    void ChangeLog(const std::vector<std::uint32_t>& triples)
    {
        QByteArray v = Le(triples.size(), 4);
        for (std::uint32_t t : triples)
            v += Le(t, 4);
        Param("CHANGE_LOG", 0x00820004, v);
    }
    void Row(std::uint8_t status, const QByteArray& nulls, const QByteArray& values)
    {
        rows_ += static_cast<char>(status) + nulls + values;
        ++rowCount_;
    }
    QByteArray Bytes() const
    {
        const QByteArray body = meta_ + Le(paramCount_, 2) + params_;
        return QByteArray("\x96\x19\xE0\xBD", 4) + Le(1, 2) + Le(0, 2) + Le(24, 4) + Le(columns_, 2)
            + Le(rowCount_, 4) + Le(3, 4) + Le(24 + body.size(), 2) + body + rows_;
    }

private:
    QByteArray meta_, params_, rows_;
    int columns_ = 0, paramCount_ = 0, rowCount_ = 0;
};

inline QByteArray Ansi1(const QByteArray& s) { return static_cast<char>(s.size()) + s; }
inline QByteArray Blob(const QByteArray& s) { return Le(s.size(), 4) + s; }
