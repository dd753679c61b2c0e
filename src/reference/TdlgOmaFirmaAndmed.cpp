#include "TdlgOmaFirmaAndmed.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "AddRecordRow.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "fb/FbError.h"
#include "ui/TDBEdit.h"

TdlgOmaFirmaAndmed::TdlgOmaFirmaAndmed(data::TData1 *data, data::UserInterface *ui, QWidget *parent)
    : QDialog(parent)
    , m_ui(ui)
    , m_ok(new QPushButton(Translate(QStringLiteral("&OK"))))
    , m_cancel(new QPushButton(Translate(QStringLiteral("&Cancel"))))
{
    setObjectName(QStringLiteral("dlgOmaFirmaAndmed"));
    setWindowTitle(Translate(QStringLiteral("Oma firma andmed")));
    // Minimising the dialog takes the whole program down with it (changeEvent).
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    data::DataSet *company = data ? data->dataSet(QStringLiteral("taOmaFirma")) : nullptr;
    m_source = data ? data->dataSource(QStringLiteral("taOmaFirma")) : nullptr;
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout();
    layout->addLayout(form);
    if (company && m_source) {
        for (const auto &[field, label] : {std::pair<const char *, const char *>{"FIRNIMI", "FirmaNimi"},
                                           {"FIRAADRESS", "Aadress"},
                                           {"FIRPOSTIINDEX", "PostiIndeks"},
                                           {"FIRTEL", "Telefon"},
                                           {"FIRFAX", "Faks"},
                                           {"FIRREGNR", "FirmaRegNr"},
                                           {"FIREMAIL", "EMail"},
                                           {"FIRWWW", "WWW"},
                                           {"FIRJUHTEESNIMI", "Juht_eesnimi"},
                                           {"FIRJUHTPERENIMI", "Juht_perenimi"}})
            company->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromLatin1(label)));
        if (!company->isActive())
            company->open();
        for (const auto &[field, length] : {std::pair<const char *, int>{"FIRNIMI", 60},
                                            {"FIRAADRESS", 60},
                                            {"FIRPOSTIINDEX", 20},
                                            {"FIRTEL", 20},
                                            {"FIRFAX", 20},
                                            {"FIRREGNR", 11},
                                            {"FIREMAIL", 50},
                                            {"FIRWWW", 100},
                                            {"FIRJUHTEESNIMI", 50},
                                            {"FIRJUHTPERENIMI", 50}}) {
            auto *e = new TDBEdit(this);
            e->setObjectName(QStringLiteral("ed") + QString::fromLatin1(field));
            e->setMaxLength(length);
            e->setMinimumWidth(260);
            e->bind(m_source, QString::fromLatin1(field), ui);
            AddRecordRow(form, m_source, field, e);
            m_edits << e;
        }
    }
    m_ok->setObjectName(QStringLiteral("bOK"));
    m_ok->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("bCancel"));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    disconnect(buttons, nullptr, this, nullptr);
    connect(m_ok, &QPushButton::clicked, this, &TdlgOmaFirmaAndmed::bOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TdlgOmaFirmaAndmed::Run(data::TData1 *data, data::UserInterface *ui, QWidget *parent)
{
    TdlgOmaFirmaAndmed dlg(data, ui, parent);
    return dlg.exec() == QDialog::Accepted;
}

TDBEdit *TdlgOmaFirmaAndmed::edit(const QString &fieldName) const
{
    for (TDBEdit *e : m_edits)
        if (e->link().fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return e;
    return nullptr;
}

void TdlgOmaFirmaAndmed::bOKClick()
{
    for (TDBEdit *e : std::as_const(m_edits))
        if (!e->updateRecord())
            return;
    data::DataSet *company = m_source ? m_source->dataSet() : nullptr;
    if (company && company->isEditing()) {
        QString message;
        try {
            company->post();
        } catch (const data::Abort &) {
            return;
        } catch (const data::DataError &e) {
            message = e.message();
        } catch (const fb::FbError &e) {
            message = e.message();
        }
        if (!message.isEmpty()) {
            // The typed values stay for the user to put right.
            if (m_ui)
                m_ui->showMessage(message, windowTitle());
            return;
        }
    }
    accept();
}

void TdlgOmaFirmaAndmed::done(int result)
{
    if (result != QDialog::Accepted) {
        data::DataSet *company = m_source ? m_source->dataSet() : nullptr;
        if (company && company->isEditing())
            company->cancel();
    }
    QDialog::done(result);
}

void TdlgOmaFirmaAndmed::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized))
        return;
    if (QWidget *main = parentWidget() ? parentWidget()->window() : nullptr)
        main->showMinimized();
}
