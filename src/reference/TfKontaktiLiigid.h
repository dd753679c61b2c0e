#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBCheckBox;
class TDBEdit;

// "Kontaktiliigid": the kinds of contact, their planned duration and whether mass offers use them.
class TfKontaktiLiigid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfKontaktiLiigid(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edKood() const { return m_code; }
    TDBEdit *edNimetus() const { return m_name; }
    TDBEdit *edPlaanMinuteid() const { return m_minutes; }
    TDBCheckBox *cbMassKontakt() const { return m_mass; }
    TDBCheckBox *cbAktiivne() const { return m_active; }

private:
    TDBEdit *m_code;
    TDBEdit *m_name;
    TDBEdit *m_minutes;
    TDBCheckBox *m_mass;
    TDBCheckBox *m_active;
};
