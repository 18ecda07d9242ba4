#include "platform/dataset/ChangeLog.h"

#include "platform/dataset/DataSetError.h"

#include <algorithm>

namespace {

constexpr std::uint32_t ActionModify = 0x08;
constexpr std::uint8_t HiddenStatus = 0x23;

// rec -> the version it replaced (-1: none), from the log's modify entries.
std::vector<int> ReplacedVersions(std::size_t rows, const std::vector<std::uint32_t>& log)
{
    std::vector<int> replaced(rows, -1);
    for (std::size_t k = 0; k + 2 < log.size(); k += 3) {
        const std::uint32_t rec1 = log[k], rec2 = log[k + 1], action = log[k + 2];
        if ((action & ActionModify) == 0)
            continue;
        if (rec1 < 1 || rec1 > rows || rec2 > rows || rec1 == rec2)
            throw EDataSetError(QStringLiteral("change log entry %1 (%2, %3, %4) names a record outside "
                                               "the %5 rows of the file")
                                    .arg(k / 3 + 1).arg(rec1).arg(rec2).arg(action).arg(rows));
        replaced[rec1 - 1] = static_cast<int>(rec2) - 1;
    }
    return replaced;
}

void ResolveRecord(TRecordStore& store, const TFieldDefs& defs, int id, int older)
{
    for (int f = 0; f < defs.Count(); ++f) {
        if (store.StateOf(id, f) != TRecordStore::NotChanged)
            continue;
        if (older >= 0 && defs[f].Codec == TValueCodec::Blob)
            store.CopyField(older, id, f);
        else
            store.SetNull(id, f);
    }
}

// Resolves each record once, after the version it replaced.
void ResolveVersions(TRecordStore& store, const TFieldDefs& defs, const std::vector<int>& replaced)
{
    const std::size_t rows = replaced.size();
    // 0 = not yet, 1 = on the chain being walked, 2 = resolved.
    std::vector<std::uint8_t> done(rows, 0);
    std::vector<int> chain;
    for (std::size_t start = 0; start < rows; ++start) {
        int j = static_cast<int>(start);
        while (j >= 0 && done[static_cast<std::size_t>(j)] == 0) {
            done[static_cast<std::size_t>(j)] = 1;
            chain.push_back(j);
            j = replaced[static_cast<std::size_t>(j)];
        }
        if (j >= 0 && done[static_cast<std::size_t>(j)] == 1)
            throw EDataSetError(QStringLiteral("the change log makes record %1 a version of itself").arg(j + 1));
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            ResolveRecord(store, defs, *it, replaced[static_cast<std::size_t>(*it)]);
            done[static_cast<std::size_t>(*it)] = 2;
        }
        chain.clear();
    }
}

} // namespace

std::vector<int> ApplyChangeLog(TRecordStore& store, const TFieldDefs& defs,
                                const std::vector<std::uint8_t>& statuses,
                                const std::vector<std::uint32_t>& log)
{
    const std::size_t rows = statuses.size();
    const std::vector<int> replaced = ReplacedVersions(rows, log);
    // Without versions and "not changed" values there is nothing to resolve.
    const bool versions = std::any_of(replaced.begin(), replaced.end(), [](int older) { return older >= 0; });
    if (versions || store.HasNotChanged())
        ResolveVersions(store, defs, replaced);
    std::vector<int> current;
    current.reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        if ((statuses[i] & HiddenStatus) == 0)
            current.push_back(static_cast<int>(i));
        else
            store.FreeRecord(static_cast<int>(i));
    }
    return current;
}
