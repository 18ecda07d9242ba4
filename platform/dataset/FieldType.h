#pragma once
// The field types of a client dataset: every non-composite type the data packet can hold.

#include <QString>

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftTypedBinary,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd,
    ftFixedWideChar,
    ftWideMemo,
    ftLongWord,
    ftShortint,
    ftByte,
    ftExtended,
    ftSingle,
};

// The type's name as the class library spells it ("ftInteger"), for messages.
QString FieldTypeName(TFieldType type);
