#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;
class TDBMemo;

// "Klassifikaatorite grupid": the groups the classifiers of clients belong to.
class TfKlassif1Gr : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfKlassif1Gr(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edKl1GrId() const { return m_id; }
    TDBEdit *edKl1GrNimi() const { return m_name; }
    TDBMemo *mKl1GrKomment() const { return m_comment; }

private:
    TDBEdit *m_id;
    TDBEdit *m_name;
    TDBMemo *m_comment;
};
