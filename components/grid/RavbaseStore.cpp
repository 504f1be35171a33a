#include "components/grid/RavbaseStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

size_t VarSize(size_t v)
{
    size_t n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

unsigned char* PutVar(unsigned char* p, size_t v)
{
    while (v >= 0x80) {
        *p++ = static_cast<unsigned char>(v | 0x80);
        v >>= 7;
    }
    *p++ = static_cast<unsigned char>(v);
    return p;
}

const unsigned char* GetVar(const unsigned char* p, size_t& v)
{
    v = 0;
    int shift = 0;
    while (*p & 0x80) {
        v |= size_t(*p++ & 0x7F) << shift;
        shift += 7;
    }
    v |= size_t(*p++) << shift;
    return p;
}

void* Alloc(size_t n)
{
    void* p = std::malloc(n);
    if (!p)
        throw std::bad_alloc();
    return p;
}

} // namespace

void TStoreRow::Release()
{
    std::free(FText);
    delete FProps;
}

int TStoreRow::TextCount() const
{
    if (!FText)
        return 0;
    size_t n;
    GetVar(FText, n);
    return int(n);
}

std::string_view TStoreRow::Text(int col) const
{
    if (!FText || col < 0)
        return {};
    size_t n;
    const unsigned char* p = GetVar(FText, n);
    if (size_t(col) >= n)
        return {};
    size_t len;
    for (int c = 0; c < col; ++c) {
        p = GetVar(p, len);
        p += len;
    }
    p = GetVar(p, len);
    return std::string_view(reinterpret_cast<const char*>(p), len);
}

std::vector<std::string_view> TStoreRow::Texts() const
{
    std::vector<std::string_view> r;
    if (!FText)
        return r;
    size_t n, len;
    const unsigned char* p = GetVar(FText, n);
    r.reserve(n);
    for (size_t c = 0; c < n; ++c) {
        p = GetVar(p, len);
        r.emplace_back(reinterpret_cast<const char*>(p), len);
        p += len;
    }
    return r;
}

void TStoreRow::Texts(std::span<std::string_view> Out) const
{
    size_t n = 0, len;
    const unsigned char* p = FText ? GetVar(FText, n) : nullptr;
    for (size_t c = 0; c < Out.size(); ++c) {
        if (c < n) {
            p = GetVar(p, len);
            Out[c] = std::string_view(reinterpret_cast<const char*>(p), len);
            p += len;
        } else {
            Out[c] = {};
        }
    }
}

void TStoreRow::ReplaceAll(const std::vector<std::string_view>& texts)
{
    size_t n = texts.size();
    while (n > 0 && texts[n - 1].empty())
        --n; // trailing empty cells need no room
    unsigned char* block = nullptr;
    if (n > 0) {
        size_t size = VarSize(n);
        for (size_t i = 0; i < n; ++i)
            size += VarSize(texts[i].size()) + texts[i].size();
        block = static_cast<unsigned char*>(Alloc(size));
        unsigned char* p = PutVar(block, n);
        for (size_t i = 0; i < n; ++i) {
            p = PutVar(p, texts[i].size());
            if (!texts[i].empty())
                std::memcpy(p, texts[i].data(), texts[i].size());
            p += texts[i].size();
        }
    }
    std::free(FText); // the views may point into the old block: free it last
    FText = block;
}

void TStoreRow::SetTexts(const std::vector<std::string_view>& texts) { ReplaceAll(texts); }

void TStoreRow::SetText(int col, std::string_view s)
{
    if (col < 0)
        return;
    size_t n = 0;
    const unsigned char* start = FText ? GetVar(FText, n) : nullptr;
    if (size_t(col) >= n) {
        if (s.empty())
            return; // beyond the stored cells everything reads empty already
        if (size_t(col) == n && FText && VarSize(n) == VarSize(n + 1)) {
            // Appending the next cell: grow the block in place.
            size_t len;
            const unsigned char* p = start;
            for (size_t c = 0; c < n; ++c) {
                p = GetVar(p, len);
                p += len;
            }
            const size_t used = size_t(p - FText);
            const size_t grow = VarSize(s.size()) + s.size();
            auto* block = static_cast<unsigned char*>(std::realloc(FText, used + grow));
            if (!block)
                throw std::bad_alloc();
            FText = block;
            PutVar(FText, n + 1);
            unsigned char* q = PutVar(FText + used, s.size());
            std::memcpy(q, s.data(), s.size());
            return;
        }
    } else {
        // Same length: overwrite in place.
        size_t len;
        const unsigned char* p = start;
        for (int c = 0; c < col; ++c) {
            p = GetVar(p, len);
            p += len;
        }
        const unsigned char* data = GetVar(p, len);
        if (len == s.size() && !s.empty()) {
            std::memcpy(const_cast<unsigned char*>(data), s.data(), len);
            return;
        }
    }
    std::string keep(s); // s may view into this row
    auto texts = Texts();
    if (texts.size() <= size_t(col))
        texts.resize(size_t(col) + 1);
    texts[size_t(col)] = keep;
    ReplaceAll(texts);
}

void TStoreRow::ClearTexts()
{
    std::free(FText);
    FText = nullptr;
}

void TStoreRow::ClearTexts(int from, int to)
{
    const int n = TextCount();
    from = std::max(from, 0);
    to = std::min(to, n - 1);
    if (from > to)
        return;
    if (from == 0 && to == n - 1) {
        ClearTexts();
        return;
    }
    auto texts = Texts();
    bool any = false;
    for (int c = from; c <= to; ++c) {
        any = any || !texts[size_t(c)].empty();
        texts[size_t(c)] = {};
    }
    if (any)
        ReplaceAll(texts);
}

void TStoreRow::ClearProps(int from, int to)
{
    if (!FProps)
        return;
    from = std::max(from, 0);
    to = std::min(to, int(FProps->size()) - 1);
    for (int c = from; c <= to; ++c)
        (*FProps)[size_t(c)].reset();
    if (std::all_of(FProps->begin(), FProps->end(), [](const TCellPropsPtr& p) { return !p; })) {
        delete FProps;
        FProps = nullptr;
    }
}

TCellProperties* TStoreRow::Props(int col) const
{
    if (!FProps || col < 0 || size_t(col) >= FProps->size())
        return nullptr;
    return (*FProps)[size_t(col)].get();
}

int TStoreRow::PropsCount() const { return FProps ? int(FProps->size()) : 0; }

TCellPropsPtr TStoreRow::TakeProps(int col)
{
    if (!FProps || col < 0 || size_t(col) >= FProps->size())
        return nullptr;
    return std::move((*FProps)[size_t(col)]);
}

void TStoreRow::SetProps(int col, TCellPropsPtr p)
{
    if (col < 0)
        return;
    if (!FProps) {
        if (!p)
            return;
        FProps = new std::vector<TCellPropsPtr>();
    }
    if (size_t(col) >= FProps->size()) {
        if (!p)
            return;
        FProps->resize(size_t(col) + 1);
    }
    (*FProps)[size_t(col)] = std::move(p);
}

void TStoreRow::InsertCols(int at, int count)
{
    if (count <= 0 || at < 0)
        return;
    auto texts = Texts();
    if (size_t(at) < texts.size()) {
        texts.insert(texts.begin() + at, size_t(count), std::string_view());
        ReplaceAll(texts);
    }
    if (FProps && size_t(at) < FProps->size()) {
        const size_t old = FProps->size();
        FProps->resize(old + size_t(count));
        std::rotate(FProps->begin() + at, FProps->begin() + long(old), FProps->end());
    }
}

void TStoreRow::DeleteCols(int at, int count)
{
    if (count <= 0 || at < 0)
        return;
    auto texts = Texts();
    if (size_t(at) < texts.size()) {
        auto last = std::min(texts.size(), size_t(at) + size_t(count));
        texts.erase(texts.begin() + at, texts.begin() + long(last));
        ReplaceAll(texts);
    }
    if (FProps && size_t(at) < FProps->size()) {
        auto last = std::min(FProps->size(), size_t(at) + size_t(count));
        FProps->erase(FProps->begin() + at, FProps->begin() + long(last));
    }
}

void TStoreRow::MoveCol(int from, int to)
{
    if (from == to || from < 0 || to < 0)
        return;
    auto texts = Texts();
    const size_t need = size_t(std::max(from, to)) + 1;
    if (texts.size() < need)
        texts.resize(need);
    std::string_view v = texts[size_t(from)];
    texts.erase(texts.begin() + from);
    texts.insert(texts.begin() + to, v);
    ReplaceAll(texts);
    if (FProps) {
        if (FProps->size() < need)
            FProps->resize(need);
        TCellPropsPtr p = std::move((*FProps)[size_t(from)]);
        FProps->erase(FProps->begin() + from);
        FProps->insert(FProps->begin() + to, std::move(p));
    }
}

// ---------------------------------------------------------------------------

void TRowRing::Reserve(size_t n)
{
    if (n <= FBuf.size())
        return;
    size_t cap = std::max<size_t>(FBuf.size() * 2, 16);
    while (cap < n)
        cap *= 2;
    std::vector<TStoreRow> buf(cap);
    for (size_t i = 0; i < FSize; ++i)
        buf[i] = std::move((*this)[i]);
    FBuf.swap(buf);
    FHead = 0;
    FMask = cap - 1;
}

void TRowRing::resize(size_t n)
{
    if (n > FSize)
        Reserve(n);
    for (size_t i = n; i < FSize; ++i)
        (*this)[i] = TStoreRow();
    FSize = n;
}

void TRowRing::insert(size_t at, size_t count)
{
    if (count == 0)
        return;
    at = std::min(at, FSize);
    Reserve(FSize + count);
    if (at < FSize - at) {
        FHead = (FHead - count) & FMask; // the front part moves up by count
        for (size_t i = 0; i < at; ++i)
            (*this)[i] = std::move((*this)[i + count]);
    } else {
        for (size_t i = FSize; i-- > at;)
            (*this)[i + count] = std::move((*this)[i]);
    }
    FSize += count; // the slots at..at+count-1 were moved from: empty
}

void TRowRing::erase(size_t at, size_t count)
{
    if (at >= FSize)
        return;
    count = std::min(count, FSize - at);
    for (size_t i = at; i < at + count; ++i)
        (*this)[i] = TStoreRow();
    if (at < FSize - at - count) {
        for (size_t i = at; i-- > 0;)
            (*this)[i + count] = std::move((*this)[i]);
        FHead = (FHead + count) & FMask;
    } else {
        for (size_t i = at; i + count < FSize; ++i)
            (*this)[i] = std::move((*this)[i + count]);
    }
    FSize -= count;
}

// ---------------------------------------------------------------------------

std::string_view TCellStore::TextView(int col, int row) const
{
    if (row < 0 || size_t(row) >= FRows.size())
        return {};
    return FRows[size_t(row)].Text(col);
}

void TCellStore::TextViews(int row, std::span<std::string_view> Out) const
{
    if (row < 0 || size_t(row) >= FRows.size())
        std::fill(Out.begin(), Out.end(), std::string_view());
    else
        FRows[size_t(row)].Texts(Out);
}

TStoreRow* TCellStore::RowFor(int row)
{
    if (row < 0)
        return nullptr;
    if (size_t(row) >= FRows.size())
        FRows.resize(size_t(row) + 1);
    return &FRows[size_t(row)];
}

void TCellStore::SetText(int col, int row, std::string_view s)
{
    if (col < 0 || row < 0)
        return;
    if (s.empty() && size_t(row) >= FRows.size())
        return;
    RowFor(row)->SetText(col, s);
}

TCellProperties* TCellStore::Props(int col, int row) const
{
    if (row < 0 || size_t(row) >= FRows.size())
        return nullptr;
    return FRows[size_t(row)].Props(col);
}

TCellPropsPtr TCellStore::TakeProps(int col, int row)
{
    if (row < 0 || size_t(row) >= FRows.size())
        return nullptr;
    return FRows[size_t(row)].TakeProps(col);
}

void TCellStore::SetProps(int col, int row, TCellPropsPtr p)
{
    if (col < 0 || row < 0)
        return;
    if (!p && size_t(row) >= FRows.size())
        return;
    RowFor(row)->SetProps(col, std::move(p));
}

int TCellStore::StoredCols() const
{
    int m = 0;
    for (const auto& r : FRows)
        m = std::max({m, r.TextCount(), r.PropsCount()});
    return m;
}

void TCellStore::InsertRows(int at, int count)
{
    if (count <= 0 || at < 0 || size_t(at) >= FRows.size())
        return;
    FRows.insert(size_t(at), size_t(count));
}

void TCellStore::DeleteRows(int at, int count)
{
    if (count <= 0 || at < 0 || size_t(at) >= FRows.size())
        return;
    FRows.erase(size_t(at), size_t(count));
}

void TCellStore::MoveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0)
        return;
    const size_t need = size_t(std::max(from, to)) + 1;
    if (FRows.size() < need)
        FRows.resize(need);
    TStoreRow moving = std::move(FRows[size_t(from)]);
    FRows.erase(size_t(from), 1);
    FRows.insert(size_t(to), 1);
    FRows[size_t(to)] = std::move(moving);
}

void TCellStore::SwapRows(int a, int b)
{
    if (a == b || a < 0 || b < 0)
        return;
    const size_t need = size_t(std::max(a, b)) + 1;
    if (FRows.size() < need)
        FRows.resize(need);
    std::swap(FRows[size_t(a)], FRows[size_t(b)]);
}

void TCellStore::MoveRowsToEnd(int at, int count, int end)
{
    if (count <= 0 || at < 0 || at + count > end)
        return;
    if (size_t(at) >= FRows.size())
        return; // nothing stored there: every row involved is empty
    if (FRows.size() < size_t(end))
        FRows.resize(size_t(end));
    // Out and back in: only the rows on the shorter side move, not all up to 'end'.
    std::vector<TStoreRow> moving(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        moving[size_t(k)] = std::move(FRows[size_t(at + k)]);
    FRows.erase(size_t(at), size_t(count));
    FRows.insert(size_t(end - count), size_t(count));
    for (int k = 0; k < count; ++k)
        FRows[size_t(end - count + k)] = std::move(moving[size_t(k)]);
}

TStoreRow TCellStore::TakeRow(int row)
{
    if (row < 0 || size_t(row) >= FRows.size())
        return TStoreRow();
    return std::move(FRows[size_t(row)]);
}

void TCellStore::PutRow(int row, TStoreRow&& r)
{
    if (row < 0)
        return;
    if (r.Empty() && size_t(row) >= FRows.size())
        return;
    *RowFor(row) = std::move(r);
}

void TCellStore::InsertCols(int at, int count)
{
    for (auto& r : FRows)
        r.InsertCols(at, count);
}

void TCellStore::DeleteCols(int at, int count)
{
    for (auto& r : FRows)
        r.DeleteCols(at, count);
}

void TCellStore::MoveCol(int from, int to)
{
    for (auto& r : FRows)
        if (!r.Empty())
            r.MoveCol(from, to);
}

void TCellStore::SwapCols(int a, int b)
{
    if (a == b)
        return;
    for (auto& r : FRows) {
        if (r.Empty())
            continue;
        std::string ta(r.Text(a)), tb(r.Text(b));
        r.SetText(a, tb);
        r.SetText(b, ta);
        TCellPropsPtr pa = r.TakeProps(a), pb = r.TakeProps(b);
        r.SetProps(a, std::move(pb));
        r.SetProps(b, std::move(pa));
    }
}

size_t TCellStore::MemoryUsed() const
{
    size_t total = FRows.capacity() * sizeof(TStoreRow);
    for (const auto& r : FRows) {
        for (auto v : r.Texts())
            total += v.size() + VarSize(v.size());
        total += r.TextCount() ? VarSize(size_t(r.TextCount())) : 0;
        total += size_t(r.PropsCount()) * sizeof(void*);
    }
    return total;
}
