#pragma once

#include <exception>
#include <stdexcept>

#include <QString>

namespace data {

// Abandons the action under way without a further message (the rule that refused has already shown
// its own).
class Abort : public std::exception
{
public:
    const char *what() const noexcept override { return "action abandoned"; }
};

// A refusal of the dataset layer itself: a required field left empty, a value that does not convert,
// an operation in the wrong state. The text is what the user sees.
class DataError : public std::runtime_error
{
public:
    explicit DataError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

} // namespace data
