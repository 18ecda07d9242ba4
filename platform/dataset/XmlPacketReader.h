#pragma once
// Reads the XML form of a data packet (flat tables only): DATAPACKET with METADATA (FIELDS,
// PARAMS) and ROWDATA. A NULL is an absent attribute; RowState and CHANGE_LOG give the
// current rows as in the binary form. Nested tables, arrays and objects are refused.

#include "platform/dataset/DataPacket.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QXmlStreamAttributes;

class TXmlPacketReader {
public:
    TXmlPacketReader(const QByteArray& bytes, QString fileName, int codePage);
    TDataPacket Read();

private:
    void ReadField(const QXmlStreamAttributes& attributes);
    void ReadParams(const QXmlStreamAttributes& attributes);
    void StartRows();
    void ReadRow(const QXmlStreamAttributes& attributes);
    void SetValue(int id, int f, const QString& text);
    [[noreturn]] void Fail(const QString& what) const;

    const QByteArray& bytes_;
    QString fileName_;
    int codePage_;
    TDataPacket packet_;
    QStringList attrNames_;
    std::vector<std::uint8_t> statuses_;
    std::vector<std::uint32_t> changeLog_;
    bool rowsStarted_ = false;
    bool sawMetadata_ = false;
};
