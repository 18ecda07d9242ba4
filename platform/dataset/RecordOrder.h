#pragma once
// Ordering records by the values of some fields: ascending unless descending is asked for,
// NULL lowest, records with equal values kept in the order given.

#include "platform/dataset/FieldDefs.h"
#include "platform/dataset/RecordStore.h"

#include <vector>

struct TSortField {
    int Field = 0;
    bool Descending = false;
    bool CaseInsensitive = false;
};

void StableSortRecords(std::vector<int>& ids, TRecordStore& store, const TFieldDefs& defs,
                       const std::vector<TSortField>& keys, int codePage);

// The sort fields of a DEFAULT_ORDER parameter (1-based field numbers with flag bits);
// entries naming no field are left out.
std::vector<TSortField> DefaultOrderFields(const std::vector<std::uint32_t>& entries, int fieldCount);
