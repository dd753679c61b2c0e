#include "TempDatabase.h"

#include "fb/Statement.h"
#include "fb/Transaction.h"

#include <stdexcept>

#include "data/DemoData.h"
#include "data/SchemaScript.h"
#include "fb/Transaction.h"

TempDatabase::TempDatabase(const QString &fileName) : m_dir(std::make_unique<QTemporaryDir>())
{
    if (!m_dir->isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_folderPath = m_dir->path();
    m_path = m_dir->filePath(fileName);
    fb::Attachment att = data::SchemaScript::createDatabase(params());
    att.detach();
}

TempDatabase::~TempDatabase() = default;

fb::ConnectParams TempDatabase::params(const QString &charset) const
{
    fb::ConnectParams p;
    p.database = m_path;
    p.user = QStringLiteral("SYSDBA");
    p.charset = charset;
    return p;
}

fb::Attachment TempDatabase::connect(const QString &charset) const
{
    return fb::Attachment::attach(params(charset));
}

void TempDatabase::execute(std::initializer_list<const char *> statements) const
{
    fb::Attachment att = connect();
    fb::Transaction tr(att);
    tr.start();
    for (const char *sql : statements)
        att.executeImmediate(tr, QString::fromUtf8(sql));
    tr.commit();
}

QString TempDatabase::userSettings(const QString &userCode) const
{
    fb::Attachment att = connect();
    fb::Transaction tr(att);
    fb::Statement st(tr, QStringLiteral("select USERSETTINGS1 from USERSK where KASKOOD = ?"));
    st.setString(0, userCode);
    st.execute();
    return st.fetch() ? st.getString(0) : QStringLiteral("<no row>");
}

TempDatabase &TempDatabase::shared()
{
    static TempDatabase db;
    return db;
}

TempDatabase &TempDatabase::demo()
{
    // Left to the end of the program: the embedded engine may still hold the file while statics go.
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("demo.fdb"));
        fb::Attachment a = d->connect();
        data::DemoData::Options options;
        options.referenceDate = QDate(2026, 12, 1);
        data::DemoData::fill(a, options);
        a.detach();
        return d;
    }();
    return *db;
}
