#pragma once

#include <initializer_list>
#include <memory>

#include <QTemporaryDir>

#include "fb/Attachment.h"

// A fresh embedded database created from the program's script in a temporary folder, removed with
// the object.
class TempDatabase
{
public:
    explicit TempDatabase(const QString &fileName = QStringLiteral("test.fdb"));
    ~TempDatabase();

    const QString &path() const { return m_path; }
    const QString &folder() const { return m_folderPath; }
    fb::ConnectParams params(const QString &charset = QStringLiteral("ISO8859_1")) const;
    fb::Attachment connect(const QString &charset = QStringLiteral("ISO8859_1")) const;
    // Runs the statements (UTF-8 text) in one transaction and commits it.
    void execute(std::initializer_list<const char *> statements) const;
    // The settings text of the user's USERSK row (the code as stored) read over a connection of its
    // own; "<no row>" when the user has none.
    QString userSettings(const QString &userCode) const;

    // The database shared by the tests of one test program (created on first use).
    static TempDatabase &shared();
    // A database with the demo register (its "today" 1 December 2026), shared by the tests of one
    // test program and created on first use.
    static TempDatabase &demo();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folderPath;
    QString m_path;
};
