#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include <QByteArray>
#include <QVariant>

#include "Statement.h"
#include "TextCodec.h"

namespace fb {

// Fetched rows kept about as small as they arrive. Each row is one block of bytes: a null bitmap,
// then the values that are not null one after another, numbers, dates, times and blob ids in the
// server's binary form, texts at their real length in the connection's character set. A value
// becomes a QVariant only when it is read, and then exactly as Statement::value() gives it; a blob is
// read whole the first time, in the statement's transaction, and kept.
// A list of a million rows shows a screenful: converting every value at fetch time cost more time
// than the fetch itself and about 2 KB a row.
class RowStore
{
public:
    RowStore() = default;
    // Rows of the statement's columns, decoded in its connection's character set.
    explicit RowStore(const Statement &st);
    RowStore(RowStore &&) noexcept = default;
    RowStore &operator=(RowStore &&) noexcept = default;
    RowStore(const RowStore &) = delete;
    RowStore &operator=(const RowStore &) = delete;

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    const ColumnInfo &column(int c) const { return m_columns.at(static_cast<size_t>(c)).info; }

    // Copies the statement's current row. The address returned is the row; it stays valid until
    // clear() or the store goes.
    const char *append(const Statement &st);
    // Drops every row; the columns stay.
    void clear();

    bool isNull(const char *row, int column) const;
    // Reading a blob the first time can fail as a statement can (FbError).
    QVariant value(const char *row, int column) const;

    // Bytes taken from the heap for rows.
    std::size_t bytesAllocated() const { return m_allocated; }

private:
    enum class Form { Fixed, Text, Blob };
    struct Column
    {
        ColumnInfo info;
        Form form = Form::Fixed;
        int size = 0; // bytes of a fixed-size value
    };

    const char *valueAt(const char *row, int column, qsizetype *size) const;
    const QByteArray &blobAt(const char *id) const;
    char *reserve(std::size_t bytes);

    std::vector<Column> m_columns;
    std::optional<TextCodec> m_codec;
    Transaction *m_transaction = nullptr;
    std::size_t m_bitmapBytes = 0;
    // Bytes a row takes at most.
    std::size_t m_worstRow = 0;
    // The blobs read so far, by the address of their id in a row.
    mutable std::unordered_map<const char *, QByteArray> m_blobs;

    // Full-size blocks go back to a pool shared by all stores when their store lets them go.
    struct BlockDeleter
    {
        std::size_t size = 0;
        void operator()(char *block) const noexcept;
    };
    std::vector<std::unique_ptr<char[], BlockDeleter>> m_blocks;
    char *m_free = nullptr;
    std::size_t m_left = 0;
    std::size_t m_allocated = 0;
};

} // namespace fb
