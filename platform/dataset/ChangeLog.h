#pragma once
// The current rows of a packet that carries an unmerged change log: records whose status
// has none of the bits 0x01 (replaced), 0x02 (deleted) and 0x20 (unused) set, in record
// order. A "not changed" BLOB of a newer version takes the value of the version it
// replaced; every other "not changed" value is NULL. The other records are freed.

#include "platform/dataset/FieldDefs.h"
#include "platform/dataset/RecordStore.h"

#include <cstdint>
#include <vector>

// Records 0..N-1 of the store are the rows in file order, statuses[i] the status of row
// i + 1; log holds (rec1, rec2, action) triples. Raises EDataSetError (without a file
// name) for entries naming records outside the file or chains of versions that loop.
std::vector<int> ApplyChangeLog(TRecordStore& store, const TFieldDefs& defs,
                                const std::vector<std::uint8_t>& statuses,
                                const std::vector<std::uint32_t>& log);
