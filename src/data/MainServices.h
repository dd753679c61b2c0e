#pragma once

#include <QString>

class QObject;

namespace data {

class DataSet;

// The main window's services as the data modules and the windows reach them.
class MainServices
{
public:
    virtual ~MainServices() = default;
    // Shows a child window (a widget), in the state of the active child: normal or maximised.
    virtual void ShowChild(QObject *window) = 0;
    // Opens the card of a client (reusing an open one) on its first (0) or second (1) page.
    virtual void OpenClientCard(int clientCode, int page) = 0;
    // The one way to record a contact with a client; false when the level or own-client rule refused.
    virtual bool RegisterContact(int clientCode, int agentCode, const QString &agentName, const QString &personName,
                                 const QString &clientName, int plannedContactId, int personCode) = 0;
    virtual bool CheckRights(bool adminOnly) = 0;
    virtual void ActivateProject(int projectId) = 0;
    // Opens an empty client card for a new client.
    virtual void NewClientCard() {}
    // Plans a next contact with a client, optionally following a contact (`source` stands on it: its
    // topic, comment and products are copied) and with one of its persons.
    virtual void PlanContact(int clientCode, const QString &clientName, const DataSet *source, const QString &personName,
                             int personCode)
    {
        (void)clientCode;
        (void)clientName;
        (void)source;
        (void)personName;
        (void)personCode;
    }
    // Opens a planned contact; a contact; a mass offer by its group; the products positioned on one.
    virtual void OpenNextContact(int nextContactId) { (void)nextContactId; }
    virtual void OpenContact(int contactId) { (void)contactId; }
    virtual void OpenMassOffer(int groupId) { (void)groupId; }
    virtual void OpenProduct(int productId) { (void)productId; }
    // Switches the client list's filter off when the list is open, so that its dataset holds every client.
    virtual void DisableClientListFilter() = 0;
    // The main window's caption, the title of several rule messages.
    virtual QString MainCaption() const = 0;
};

} // namespace data
