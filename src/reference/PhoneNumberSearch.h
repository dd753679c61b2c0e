#pragma once

#include <memory>

#include <QString>

namespace fb {
class Transaction;
}

namespace data {
class DataSet;
}

// Clients and contact persons found by a telephone number written in any form: the digits of the
// typed text against the search columns beside every number, through their indexes.
class PhoneNumberSearch
{
public:
    explicit PhoneNumberSearch(fb::Transaction &transaction);
    ~PhoneNumberSearch();

    // The result: client code and name, person code and name, the two numbers. One row per matching
    // client and one per matching contact person.
    data::DataSet &qOtsiKliTelefon() const { return *m_result; }

    // Closes the result, then searches for the digits of `typed`. Text without digits searches
    // nothing: false, and the result stays closed.
    bool Search(const QString &typed);

    // The statement, with the parameter SearchNo standing for the digits.
    static const QString Statement;
    // No search column holds more digits than this; a longer number cannot match.
    static constexpr int MaxDigits = 100;

private:
    std::unique_ptr<data::DataSet> m_result;
};
