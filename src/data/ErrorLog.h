#pragma once

#include <exception>
#include <optional>

#include <QDateTime>
#include <QString>

// The error log: one line per error that reached the program's error handler, in a file named after
// the program in the current directory.
class ErrorLog
{
public:
    explicit ErrorLog(const QString &fileName);

    // "<date time> <class>: <message>( Form: '<window>' Control: '<control>') SQLCode/IBErrorCode: a/b\r\n"
    static QString line(const QDateTime &when, const QString &className, const QString &message, const QString &form,
                        const QString &control, std::optional<QPair<int, long>> databaseCodes);
    // The class name and message of an error as the log writes them.
    static QString classNameOf(const std::exception &e);
    static QString messageOf(const std::exception &e);

    // Appends a line; a failure to write is ignored.
    void append(const std::exception &e, const QString &form, const QString &control) const;
    const QString &fileName() const { return m_fileName; }

    // The log of a program: its base name and ".errorlog" in the current directory.
    static QString defaultFileName(const QString &programPath);

private:
    QString m_fileName;
};
