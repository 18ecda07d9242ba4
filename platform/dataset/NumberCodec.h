#pragma once
// The stored forms of the rarer number types: packed decimal (BCD and FMTBCD), the 80-bit
// extended float and the SQL timestamp record. Values are converted on access, so a value
// that is only read and written back keeps its exact bytes.

#include <QByteArray>
#include <QString>

namespace NumberCodec {

// Decimal text ("-12.50") of a stored decimal; raises EDataSetError for bad digits.
QString BcdToText(QByteArrayView stored);
// The stored decimal of a value, in `bytes` bytes with `decimals` places (rounded half away
// from zero); raises EDataSetError when it has more digits than `precision`.
QByteArray BcdFromText(const QString& text, int precision, int decimals, int bytes);

double Float80ToDouble(QByteArrayView stored);
QByteArray Float80FromDouble(double value);

// The SQL timestamp record (year, month, day, hour, minute, second, milliseconds) to and
// from a date-time value; raises EDataSetError for an impossible date.
double SqlTimestampToDateTime(QByteArrayView stored);
QByteArray SqlTimestampFromDateTime(double dateTime);

} // namespace NumberCodec
