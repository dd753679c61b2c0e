#pragma once

#include <QByteArray>

namespace fb {

// Builds the clumplet buffers of the ISC API (database, transaction and service parameter blocks).
class ParamBuffer
{
public:
    ParamBuffer() = default;
    explicit ParamBuffer(char version) { m_bytes.append(version); }

    void addTag(char tag) { m_bytes.append(tag); }
    // Tag, one length byte, bytes (database and transaction parameter blocks, service attach).
    void addString(char tag, const QByteArray &value);
    // Tag, two little-endian length bytes, bytes (service request strings).
    void addString2(char tag, const QByteArray &value);
    // Tag, length byte 4, four little-endian bytes.
    void addInt(char tag, int value);
    // Tag, four little-endian bytes (service request numbers).
    void addInt4(char tag, unsigned int value);

    const QByteArray &bytes() const noexcept { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace fb
