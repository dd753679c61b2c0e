#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;

// "Riigid": the countries that places and clients name.
class TfRiigid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfRiigid(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edRiikId() const { return m_id; }
    TDBEdit *edRiigiNimi() const { return m_name; }

private:
    TDBEdit *m_id;
    TDBEdit *m_name;
};
