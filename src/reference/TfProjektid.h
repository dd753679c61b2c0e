#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBCheckBox;
class TDBEdit;
class TDBMemo;

// "Projektid": the projects that contacts and plans are booked to, with their telephone lines.
class TfProjektid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfProjektid(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edProjNimi() const { return m_name; }
    TDBMemo *mmProjKomment() const { return m_comment; }
    TDBCheckBox *cbAktiivne() const { return m_active; }

private:
    TDBEdit *m_name;
    TDBMemo *m_comment;
    TDBCheckBox *m_active;
};
