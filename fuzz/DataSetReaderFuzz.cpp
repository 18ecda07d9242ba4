// Fuzz target of the data-packet reader: any bytes either read or raise EDataSetError.
// What reads is written back, and the written packet must read again with the same
// number of records.
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/FieldValue.h"
#include "platform/dataset/PacketReader.h"
#include "platform/dataset/PacketWriter.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Reads every field of every record as text, as a caller would.
void TouchValues(TDataPacket& packet)
{
    for (int id : packet.Order) {
        for (int f = 0; f < packet.Fields.Count(); ++f) {
            const TFieldValue value{packet.Records, packet.Fields[f], id, f, 932};
            try {
                (void)value.AsText();
            } catch (const EDataSetError&) {
                // a stored value that cannot be shown as text (a damaged decimal)
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    TDataPacket packet;
    try {
        packet = TPacketReader(bytes, QStringLiteral("fuzz.cds"), 932).Read();
    } catch (const EDataSetError&) {
        return 0;
    }
    TouchValues(packet);
    QByteArray written;
    try {
        written = TPacketWriter(packet, packet.Order, 932).Write();
    } catch (const EDataSetError&) {
        return 0; // a packet the writer refuses (a reserved field name, ...)
    }
    const TDataPacket again = TPacketReader(written, QStringLiteral("written.cds"), 932).Read();
    if (again.Order.size() != packet.Order.size())
        std::abort();
    return 0;
}
