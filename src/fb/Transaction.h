#pragma once

namespace fb {

class Attachment;

// A transaction on one attachment. Move-only; the destructor rolls back an active transaction and
// never commits.
class Transaction
{
public:
    enum class Isolation {
        ReadCommitted, // read_committed, rec_version, nowait: the program's one working transaction
        Snapshot,      // concurrency, nowait: a stable view for exports and checks
    };

    explicit Transaction(Attachment &attachment, Isolation isolation = Isolation::ReadCommitted, bool readOnly = false);
    ~Transaction();
    Transaction(Transaction &&other) noexcept;
    Transaction &operator=(Transaction &&) = delete;
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void start();
    void commit();
    // Commits and keeps the transaction context: open cursors stay open and positioned.
    void commitRetaining();
    void rollback();
    void rollbackRetaining();
    bool isActive() const noexcept { return m_handle != 0; }

    Attachment &attachment() const noexcept { return *m_attachment; }
    unsigned int *handlePtr() noexcept { return &m_handle; }

private:
    Attachment *m_attachment;
    Isolation m_isolation;
    bool m_readOnly;
    unsigned int m_handle = 0; // isc_tr_handle
};

} // namespace fb
