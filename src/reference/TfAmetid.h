#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;

// "Ametid": the positions of contact persons.
class TfAmetid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfAmetid(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edAmetId() const { return m_id; }
    TDBEdit *edAmet() const { return m_name; }

private:
    TDBEdit *m_id;
    TDBEdit *m_name;
};
