#pragma once

#include "ui/TfLk2FilterVorm1.h"

class TDBEdit;
class TDBEditBtn;
class TDBMemo;
class TDynFilterDBCombo;
class TDynFilterEdit;

// "Klassifikaatorid": the classifiers of clients, narrowed by group and by a part of the name.
class TfKlassif1 : public TfLk2FilterVorm1
{
    Q_OBJECT

public:
    explicit TfKlassif1(const WindowContext &context, QWidget *parent = nullptr);

    TDynFilterDBCombo *dfdbcKlassifGr() const { return m_filterGroup; }
    TDynFilterEdit *dfeKlassifNimi() const { return m_filterName; }
    TDBEdit *edKl1Id() const { return m_id; }
    TDBEdit *edKl1Nimi() const { return m_name; }
    TDBEdit *edKl1Kood() const { return m_code; }
    TDBEditBtn *edKl1GrNimi() const { return m_group; }
    TDBMemo *mKl1Komment() const { return m_comment; }

    QString ApplyFilter() override;

private:
    TDynFilterDBCombo *m_filterGroup;
    TDynFilterEdit *m_filterName;
    TDBEdit *m_id;
    TDBEdit *m_name;
    TDBEdit *m_code;
    TDBEditBtn *m_group;
    TDBMemo *m_comment;
};
