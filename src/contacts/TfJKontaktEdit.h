#pragma once

#include <QMap>
#include <QPointer>
#include <QString>

#include "TdmJKontaktEdit.h"
#include "ui/TfDataEditForm1.h"

class TDBEdit;
class TDBEditBtn;
class TDBMemo;
class TDBValComboBox;

// The plan window: one next contact with a client, new or saved. Its data module holds the rules;
// the window binds the controls and runs the commands.
class TfJKontaktEdit : public TfDataEditForm1
{
    Q_OBJECT

public:
    // An existing plan by its ID, or with -1 a new plan for the client and (when its code is above 0)
    // the contact person.
    TfJKontaktEdit(const WindowContext &context, int planId, int clientCode = 0, const QString &clientName = QString(),
                   int personCode = 0, const QString &personName = QString(), QWidget *parent = nullptr);

    // False when the plan was not found: the window is then to be thrown away unshown.
    bool isOpened() const { return m_opened; }
    TdmJKontaktEdit *module() const { return m_module; }
    int PlanId() const;

    // The edit of a field (the date and time edits, the name edits beside codes).
    TDBEdit *edit(const QString &fieldName) const { return m_edits.value(fieldName.toUpper()); }
    TDBMemo *memo() const { return m_memo; }
    TDBValComboBox *agreement() const { return m_agreement; }

    // The module asks its own question before deleting.
    bool ConfirmDelete() override { return true; }

    // Commands.
    void bShowClientClick();
    void bTeeKontaktClick();
    // The calendar of a date field: on OK the record goes into edit and gets the chosen date.
    void CalendarClick(const QString &fieldName);
    // The "..." of a name beside its code.
    void NameButtonClick(const QString &nameField);

private:
    void renewCaption();
    void enableByRights();

    QPointer<TdmJKontaktEdit> m_module;
    QMap<QString, TDBEdit *> m_edits;
    TDBMemo *m_memo = nullptr;
    TDBValComboBox *m_agreement = nullptr;
    bool m_opened = false;
};
