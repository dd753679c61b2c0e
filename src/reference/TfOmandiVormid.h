#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;

// "Omandivormid": the legal forms, keyed by the abbreviation the user types.
class TfOmandiVormid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfOmandiVormid(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edOmandiVorm() const { return m_form; }
    TDBEdit *edKirjeldus() const { return m_description; }

private:
    TDBEdit *m_form;
    TDBEdit *m_description;
};
