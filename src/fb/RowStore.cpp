#include "RowStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

#include <QByteArray>

#include "Blob.h"
#include "Transaction.h"

namespace fb {

namespace {

// Blocks grow from small (look-up lists of a few rows are many) to this size (registers of many rows).
constexpr std::size_t FirstBlock = 4 * 1024;
constexpr std::size_t LargestBlock = 256 * 1024;

// Full-size blocks that stores no longer use, for the next store to fill. A register is reopened for
// every filter change; memory fresh from the system costs a page fault for every 4 KB, which came to
// a tenth of the engine's own time for fetching the rows it holds, while memory used before does not.
class BlockPool
{
public:
    static constexpr std::size_t Capacity = 128; // 32 MB

    static BlockPool &instance()
    {
        // Never destroyed: stores that outlive the program's static objects still give their blocks back.
        static auto *pool = new BlockPool;
        return *pool;
    }
    char *take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_free.empty())
            return nullptr;
        char *block = m_free.back();
        m_free.pop_back();
        return block;
    }
    bool give(char *block) noexcept
    {
        const std::lock_guard lock(m_mutex);
        if (m_free.size() >= Capacity)
            return false;
        m_free.push_back(block); // the capacity is reserved: no allocation here
        return true;
    }

private:
    BlockPool() { m_free.reserve(Capacity); }
    std::mutex m_mutex;
    std::vector<char *> m_free;
};

// A VARCHAR holds at most 32765 bytes: its length fits two bytes.
using TextLength = std::uint16_t;

template<typename T>
T readAt(const char *p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

} // namespace

RowStore::RowStore(const Statement &st) : m_codec(st.codec()), m_transaction(&st.transaction())
{
    const int n = st.columnCount();
    m_columns.reserve(static_cast<size_t>(n));
    m_bitmapBytes = (static_cast<std::size_t>(n) + 7) / 8;
    m_worstRow = m_bitmapBytes;
    for (int c = 0; c < n; ++c) {
        Column col;
        col.info = st.column(c);
        switch (col.info.kind) {
        case FieldKind::Text:
            col.form = Form::Text;
            m_worstRow += sizeof(TextLength) + static_cast<std::size_t>(col.info.length);
            break;
        case FieldKind::TextBlob:
        case FieldKind::Blob:
            col.form = Form::Blob;
            col.size = sizeof(ISC_QUAD);
            m_worstRow += sizeof(ISC_QUAD);
            break;
        case FieldKind::Unknown:
            // Nothing the program can show: read as null-or-nothing, as Statement::value() does.
            col.size = 0;
            break;
        default:
            col.size = col.info.length;
            m_worstRow += static_cast<std::size_t>(col.size);
            break;
        }
        m_columns.push_back(std::move(col));
    }
}

char *RowStore::reserve(std::size_t bytes)
{
    if (bytes > m_left) {
        const std::size_t grown = m_blocks.empty() ? FirstBlock : std::min(LargestBlock, 2 * m_allocated);
        const std::size_t size = std::max(grown, bytes);
        char *block = size == LargestBlock ? BlockPool::instance().take() : nullptr;
        if (!block)
            block = new char[size];
        m_blocks.emplace_back(block, BlockDeleter{size});
        m_free = block;
        m_left = size;
        m_allocated += size;
    }
    return m_free;
}

const char *RowStore::append(const Statement &st)
{
    const int n = columnCount();
    char *const row = reserve(m_worstRow);
    std::memset(row, 0, m_bitmapBytes);
    char *p = row + m_bitmapBytes;
    for (int c = 0; c < n; ++c) {
        if (st.rawIsNull(c)) {
            row[c / 8] = static_cast<char>(row[c / 8] | (1 << (c % 8)));
            continue;
        }
        const Column &col = m_columns[static_cast<size_t>(c)];
        if (col.form == Form::Text) {
            const QByteArrayView text = st.textBytes(c);
            const auto len = static_cast<TextLength>(text.size());
            std::memcpy(p, &len, sizeof len);
            std::memcpy(p + sizeof len, text.data(), len);
            p += sizeof len + len;
        } else {
            std::memcpy(p, st.rawData(c), static_cast<size_t>(col.size));
            p += col.size;
        }
    }
    const auto used = static_cast<std::size_t>(p - row);
    m_free += used;
    m_left -= used;
    return row;
}

void RowStore::clear()
{
    m_blobs.clear();
    m_blocks.clear();
    m_free = nullptr;
    m_left = 0;
    m_allocated = 0;
}

void RowStore::BlockDeleter::operator()(char *block) const noexcept
{
    if (size != LargestBlock || !BlockPool::instance().give(block))
        delete[] block;
}

bool RowStore::isNull(const char *row, int column) const
{
    return (row[column / 8] & (1 << (column % 8))) != 0;
}

const char *RowStore::valueAt(const char *row, int column, qsizetype *size) const
{
    // Values have no fixed places: those before the wanted one are stepped over.
    const char *p = row + m_bitmapBytes;
    for (int c = 0;; ++c) {
        if (isNull(row, c))
            continue;
        const Column &col = m_columns[static_cast<size_t>(c)];
        qsizetype len = col.size;
        const char *data = p;
        if (col.form == Form::Text) {
            len = readAt<TextLength>(p);
            data = p + sizeof(TextLength);
        }
        if (c == column) {
            *size = len;
            return data;
        }
        p = data + len;
    }
}

QVariant RowStore::value(const char *row, int column) const
{
    if (column < 0 || column >= columnCount() || isNull(row, column))
        return QVariant();
    qsizetype size = 0;
    const char *data = valueAt(row, column, &size);
    const Column &col = m_columns[static_cast<size_t>(column)];
    if (col.form == Form::Blob) {
        const QByteArray &bytes = blobAt(data);
        return Statement::decode(col.info, bytes.constData(), bytes.size(), *m_codec);
    }
    return Statement::decode(col.info, data, size, *m_codec);
}

const QByteArray &RowStore::blobAt(const char *id) const
{
    auto found = m_blobs.find(id);
    if (found == m_blobs.end()) {
        ISC_QUAD quad;
        std::memcpy(&quad, id, sizeof quad);
        // Rows outlive a statement, not the program's transaction (it commits retaining); a dataset
        // left open over a transaction that ended reads in the one started after it.
        if (!m_transaction->isActive())
            m_transaction->start();
        found = m_blobs.emplace(id, Blob::read(*m_transaction, quad)).first;
    }
    return found->second;
}

} // namespace fb
