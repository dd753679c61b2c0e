#include "Blob.h"

#include "Attachment.h"
#include "FbError.h"
#include "Transaction.h"

namespace fb {

namespace {

// Closes the blob handle on every path; a failure to close after another failure is not reported.
struct BlobHandle
{
    isc_blob_handle h = 0;
    ~BlobHandle()
    {
        if (h) {
            ISC_STATUS_ARRAY st;
            isc_cancel_blob(st, &h);
        }
    }
    void close()
    {
        ISC_STATUS_ARRAY st;
        isc_close_blob(st, &h);
        FbError::check(st);
        h = 0;
    }
};

constexpr unsigned short SegmentSize = 32 * 1024;

} // namespace

QByteArray Blob::read(Transaction &tr, const ISC_QUAD &id)
{
    ISC_STATUS_ARRAY st;
    BlobHandle blob;
    ISC_QUAD qid = id;
    isc_open_blob2(st, tr.attachment().handlePtr(), tr.handlePtr(), &blob.h, &qid, 0, nullptr);
    FbError::check(st);
    QByteArray out;
    char buf[SegmentSize];
    for (;;) {
        unsigned short got = 0;
        const ISC_STATUS rc = isc_get_segment(st, &blob.h, &got, sizeof buf, buf);
        if (rc == isc_segstr_eof)
            break;
        if (rc != 0 && rc != isc_segment)
            FbError::check(st);
        out.append(buf, got);
    }
    blob.close();
    return out;
}

ISC_QUAD Blob::write(Transaction &tr, const QByteArray &data)
{
    ISC_STATUS_ARRAY st;
    BlobHandle blob;
    ISC_QUAD id{};
    isc_create_blob2(st, tr.attachment().handlePtr(), tr.handlePtr(), &blob.h, &id, 0, nullptr);
    FbError::check(st);
    for (qsizetype pos = 0; pos < data.size(); pos += SegmentSize) {
        const auto len = static_cast<unsigned short>(std::min<qsizetype>(SegmentSize, data.size() - pos));
        isc_put_segment(st, &blob.h, len, data.constData() + pos);
        FbError::check(st);
    }
    blob.close();
    return id;
}

} // namespace fb
