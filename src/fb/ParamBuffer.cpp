#include "ParamBuffer.h"

#include "FbError.h"

namespace fb {

namespace {

void appendLe(QByteArray &b, unsigned int v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

void ParamBuffer::addString(char tag, const QByteArray &value)
{
    if (value.size() > 255)
        throw FbError::client(QStringLiteral("A connection parameter is longer than 255 bytes"));
    m_bytes.append(tag);
    m_bytes.append(static_cast<char>(value.size()));
    m_bytes.append(value);
}

void ParamBuffer::addString2(char tag, const QByteArray &value)
{
    if (value.size() > 65535)
        throw FbError::client(QStringLiteral("A service parameter is longer than 65535 bytes"));
    m_bytes.append(tag);
    appendLe(m_bytes, static_cast<unsigned int>(value.size()), 2);
    m_bytes.append(value);
}

void ParamBuffer::addInt(char tag, int value)
{
    m_bytes.append(tag);
    m_bytes.append(static_cast<char>(4));
    appendLe(m_bytes, static_cast<unsigned int>(value), 4);
}

void ParamBuffer::addInt4(char tag, unsigned int value)
{
    m_bytes.append(tag);
    appendLe(m_bytes, value, 4);
}

} // namespace fb
