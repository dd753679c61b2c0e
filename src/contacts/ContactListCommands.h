#pragma once

#include <QString>

namespace data {
class DataSet;
class TData1;
class UserInterface;
} // namespace data

namespace contacts {

// What the commands of the planned and performed contacts lists do with the row the list stands on;
// the windows only hand over their dataset.
class ContactListCommands
{
public:
    // The planned contacts list's print order, whatever sort the grid had.
    static const QString PrintOrder;

    // The plan the list stands on, in the plan window.
    static void OpenPlan(data::TData1 &module, const data::DataSet &plans);
    // A contact recorded against the plan the list stands on, for its client, agent and person.
    static void RegisterContact(data::TData1 &module, const data::DataSet &plans);
    // The card of the row's client on its first page, when the row has a client.
    static void ShowClient(data::TData1 &module, const data::DataSet &list);
    // The contact the list stands on in the contact window. The rows of a mass offer (the offer's
    // own row, without a client, and its lines) are not opened: their window is not in the program.
    static void OpenContact(data::TData1 &module, const data::DataSet &contacts, data::UserInterface *ui);
    // Sorts the planned contacts as they are printed.
    static void SortForPrint(data::DataSet &plans);
};

} // namespace contacts
