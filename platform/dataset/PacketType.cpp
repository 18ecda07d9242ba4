#include "platform/dataset/PacketType.h"

QString PacketType::Hex(std::uint32_t word)
{
    return QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0')).toUpper();
}
