#pragma once

#include "ui/TfLk2FilterVorm1.h"

class TDBCheckBox;
class TDBEdit;
class TDBEditBtn;
class TDBMemo;
class TDynFilterComboBox;
class TDynFilterDBCombo;
class TDynFilterEdit;

// "Tooted": the products with their prices, narrowed by group, by whether they are active and by a
// part of the name.
class TfTooted : public TfLk2FilterVorm1
{
    Q_OBJECT

public:
    explicit TfTooted(const WindowContext &context, QWidget *parent = nullptr);

    TDynFilterDBCombo *dfdbcTooteGrupp() const { return m_filterGroup; }
    TDynFilterComboBox *dfcbToodeAktiivne() const { return m_filterActive; }
    TDynFilterEdit *dfeTooteNimi() const { return m_filterName; }
    TDBEdit *edit(const QString &fieldName) const;
    TDBEditBtn *edTooteGrNimi() const { return m_group; }
    TDBCheckBox *cbToodeAktiivne() const { return m_active; }
    TDBMemo *mTooteKomment() const { return m_comment; }

    QString ApplyFilter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDynFilterDBCombo *m_filterGroup;
    TDynFilterComboBox *m_filterActive;
    TDynFilterEdit *m_filterName;
    QList<TDBEdit *> m_edits;
    QList<TDBEdit *> m_prices;
    TDBEditBtn *m_group;
    TDBCheckBox *m_active;
    TDBMemo *m_comment;
};
