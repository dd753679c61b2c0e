#pragma once

#include <QMap>

#include "TdmKontaktEdit.h"
#include "ui/TfDataEditForm1.h"

class QWidget;
class TDBEdit;

// The contact window: a new contact being recorded (from a plan when one was chosen) or an existing
// one shown and edited.
class TfKontaktEdit : public TfDataEditForm1
{
    Q_OBJECT

public:
    // A new contact (`contactId` ignored) or the existing contact `contactId`.
    TfKontaktEdit(const WindowContext &context, bool isNew, int contactId, QWidget *parent = nullptr);
    ~TfKontaktEdit() override;

    contacts::TdmKontaktEdit *module() const { return m_module; }
    // The contact this window shows (0 for a new one not yet saved).
    int ContactId() const;
    // A new contact: the choice of plan; false when the user gave up (the window is then discarded).
    bool Prepare(const contacts::ContactRequest &request);
    // The edit of a field by its name (for the keys and the tests).
    QWidget *control(const QString &fieldName) const { return m_controls.value(fieldName); }
    bool isOpened() const { return m_opened; }

    bool CanDelete(bool allowed) override;
    bool ConfirmDelete() override;

private:
    void build();
    void renewCaption();
    void pickName(const QString &fieldName);

    contacts::TdmKontaktEdit *m_module;
    QMap<QString, QWidget *> m_controls;
    bool m_opened = false;
};
