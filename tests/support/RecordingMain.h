#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "data/DataSet.h"
#include "data/MainServices.h"

// The main window's services as the tests see them: what was asked for is recorded, the rights
// check and contact registration say yes.
struct RecordingMain : data::MainServices
{
    QList<QPair<int, int>> openedCards;
    QList<QObject *> shownWindows;
    QList<int> registeredContacts;
    int clientListFilterSwitchedOff = 0;
    int newClientCards = 0;
    // Client code, client name, source contact, person name, person code.
    QStringList plannedContacts;
    QList<int> openedNextContacts, openedContacts, openedMassOffers, openedProducts;

    void ShowChild(QObject *window) override { shownWindows.append(window); }
    void OpenClientCard(int clientCode, int page) override { openedCards.append({clientCode, page}); }
    bool RegisterContact(int clientCode, int, const QString &, const QString &, const QString &, int, int) override
    {
        registeredContacts.append(clientCode);
        return true;
    }
    void NewClientCard() override { ++newClientCards; }
    void PlanContact(int clientCode, const QString &clientName, const data::DataSet *source, const QString &personName,
                     int personCode) override
    {
        // The source as the contact it stands on (0 without one).
        const qint64 sourceContactId = source ? source->field(QStringLiteral("KONTAKTID")).asInt() : 0;
        plannedContacts << QStringLiteral("%1|%2|%3|%4|%5")
                               .arg(clientCode)
                               .arg(clientName)
                               .arg(sourceContactId)
                               .arg(personName)
                               .arg(personCode);
    }
    void OpenNextContact(int nextContactId) override { openedNextContacts.append(nextContactId); }
    void OpenContact(int contactId) override { openedContacts.append(contactId); }
    void OpenMassOffer(int groupId) override { openedMassOffers.append(groupId); }
    void OpenProduct(int productId) override { openedProducts.append(productId); }
    bool CheckRights(bool) override { return true; }
    void ActivateProject(int) override {}
    void DisableClientListFilter() override { ++clientListFilterSwitchedOff; }
    QString MainCaption() const override { return QStringLiteral("Lumora-Contact"); }
};
