#pragma once
// Reads a data packet: the binary form, or the XML form when the bytes do not start with
// the binary magic number. A packet with an unmerged change log gives its current rows; a
// DEFAULT_ORDER puts them in that order. Every fault raises EDataSetError with a message
// that names the file and what is wrong.

#include "platform/dataset/ByteReader.h"
#include "platform/dataset/DataPacket.h"

#include <QByteArray>
#include <QString>

class TPacketReader {
public:
    // fileName is for messages only; codePage decodes non-ASCII field names.
    TPacketReader(const QByteArray& bytes, QString fileName, int codePage);
    TDataPacket Read();

private:
    enum class TPart { Header, Field, DataSetParams, Row };

    void ReadHeader();
    void ReadField(int index);
    TPacketParams ReadParams(std::size_t count);
    TPacketParam ReadParam();
    void ReadRows();
    void MergeChangeLog();
    [[noreturn]] void Fail(const QString& what) const;
    [[noreturn]] void Truncated() const;

    const QByteArray& bytes_;
    TByteReader in_;
    QString fileName_;
    int codePage_;
    TDataPacket packet_;
    std::vector<std::uint8_t> statuses_;
    std::uint32_t rowCount_ = 0;
    std::uint16_t columnCount_ = 0;
    std::uint32_t flags_ = 0;
    std::uint16_t dataOffset_ = 0;
    std::uint32_t headerSize_ = 0;
    TPart part_ = TPart::Header;
    std::size_t index_ = 0; // field or row being read, 0-based
};
