#include "platform/text/AnsiDecodeTable.h"

#include "platform/text/AnsiIconv.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

} // namespace

const TAnsiDecodeTable* TAnsiDecodeTable::For(int codePage)
{
    thread_local int lastCodePage = 0;
    thread_local const TAnsiDecodeTable* last = nullptr;
    if (last && lastCodePage == codePage)
        return last;
    static std::mutex mutex;
    // Never freed: a text may still be decoded while static objects are destroyed.
    static auto& tables = *new std::map<int, std::unique_ptr<TAnsiDecodeTable>>;
    const std::lock_guard lock(mutex);
    auto found = tables.find(codePage);
    if (found == tables.end()) {
        std::unique_ptr<TAnsiDecodeTable> table;
        try {
            table.reset(new TAnsiDecodeTable);
            if (!table->Build(codePage))
                table.reset();
        } catch (...) {
            table.reset(); // iconv lacks the code page: the caller's general path says so
        }
        found = tables.emplace(codePage, std::move(table)).first;
    }
    lastCodePage = codePage;
    last = found->second.get();
    return last;
}

TAnsiDecodeTable::TAnsiDecodeTable() : pairChar_(65536), pairTakesTwo_(65536) {}

bool TAnsiDecodeTable::Build(int codePage)
{
    for (int b = 0; b < 256; ++b) {
        const char alone[1] = {static_cast<char>(b)};
        const TDecodedUnit unit = DecodeFirstUnitByIconv(QByteArrayView(alone, 1), codePage);
        if (unit.Bytes != 1 || IsSurrogate(unit.Char))
            return false;
        single_[b] = unit.Char;
        // A byte iconv reads alone reads the same before any other byte.
        paired_[b] = unit.Replaced;
        if (!paired_[b])
            continue;
        for (int next = 0; next < 256; ++next) {
            const char pair[2] = {static_cast<char>(b), static_cast<char>(next)};
            const TDecodedUnit first = DecodeFirstUnitByIconv(QByteArrayView(pair, 2), codePage);
            if (first.Bytes < 1 || IsSurrogate(first.Char))
                return false;
            pairChar_[b * 256 + next] = first.Char;
            pairTakesTwo_[b * 256 + next] = first.Bytes == 2;
        }
    }
    return true;
}

qsizetype TAnsiDecodeTable::DecodeInto(QByteArrayView bytes, char16_t* out) const
{
    char16_t* const start = out;
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = at + bytes.size();
    while (at < end) {
        const unsigned char b = *at;
        if (!paired_[b] || at + 1 == end) {
            *out++ = single_[b];
            ++at;
            continue;
        }
        const auto index = static_cast<std::size_t>(b * 256 + at[1]);
        *out++ = pairChar_[index];
        at += pairTakesTwo_[index] ? 2 : 1;
    }
    return out - start;
}

QString TAnsiDecodeTable::Decode(QByteArrayView bytes) const
{
    // A short text (every string of a dataset) is decoded on the stack and copied once.
    constexpr qsizetype StackChars = 512;
    if (bytes.size() <= StackChars) {
        char16_t buffer[StackChars];
        return QString(reinterpret_cast<const QChar*>(buffer), DecodeInto(bytes, buffer));
    }
    QString text(bytes.size(), Qt::Uninitialized);
    text.truncate(DecodeInto(bytes, reinterpret_cast<char16_t*>(text.data())));
    return text;
}
