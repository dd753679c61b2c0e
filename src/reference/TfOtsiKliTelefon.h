#pragma once

#include <memory>

#include "ui/TfChildBtnBarForm01.h"

class PhoneNumberSearch;
class QLineEdit;
class QPushButton;
class TDBGrid;

// "Telefoninumbri otsing": clients and contact persons by a telephone number typed in any form.
class TfOtsiKliTelefon : public TfChildBtnBarForm01
{
    Q_OBJECT

public:
    explicit TfOtsiKliTelefon(const WindowContext &context, QWidget *parent = nullptr);
    ~TfOtsiKliTelefon() override;

    QLineEdit *edOtsiTelefNo() const { return m_number; }
    QPushButton *bOtsi() const { return m_search; }
    QPushButton *bNaitaKlienti() const { return m_show; }
    TDBGrid *DBGrid1() const { return m_grid; }
    PhoneNumberSearch &search() const { return *m_query; }

    void Otsi();
    // The card of the current row's client, on its first page.
    void NaitaKlienti();

private:
    void updateButtons();

    std::unique_ptr<PhoneNumberSearch> m_query;
    data::DataSource *m_source;
    QLineEdit *m_number;
    QPushButton *m_search;
    QPushButton *m_show;
    TDBGrid *m_grid;
};
