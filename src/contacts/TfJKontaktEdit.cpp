#include "TfJKontaktEdit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "TdmJKontaktEdit.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBMemo.h"
#include "ui/TDBValComboBox.h"
#include "ui/DateFieldCalendar.h"

TfJKontaktEdit::TfJKontaktEdit(const WindowContext &context, int planId, int clientCode, const QString &clientName,
                               int personCode, const QString &personName, QWidget *parent)
    : TfDataEditForm1(context, parent)
{
    setObjectName(QStringLiteral("fJKontaktEdit"));
    setWindowTitle(Translate(planId < 0 ? QStringLiteral("Uus planeering") : QStringLiteral("Planeeritud kontakt")));
    if (!context.data)
        return;
    m_module = new TdmJKontaktEdit(*context.data, this);
    data::DataSource *source = m_module->dsKliJargmKontakt();
    setDataSet(m_module->taKliJargmKontakt());

    auto *layout = new QVBoxLayout(panData());
    auto *columns = new QHBoxLayout();
    auto *left = new QFormLayout();
    auto *right = new QFormLayout();
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns);

    auto addEdit = [&](QFormLayout *form, const char *field, const char *name, const QString &caption) {
        auto *e = new TDBEdit(panData());
        e->setObjectName(QString::fromLatin1(name));
        e->bind(source, QString::fromLatin1(field), ui());
        if (!caption.isNull())
            form->addRow(caption, e);
        m_edits.insert(QString::fromLatin1(field), e);
        return e;
    };
    auto addButtonEdit = [&](QFormLayout *form, const char *field, const char *name, const QString &caption,
                             bool calendar) {
        auto *e = new TDBEditBtn(panData());
        e->setObjectName(QString::fromLatin1(name));
        e->bind(source, QString::fromLatin1(field), ui());
        const QString fieldName = QString::fromLatin1(field);
        if (calendar) {
            connect(e, &TDBEditBtn::OnBtnClick, this, [this, fieldName] { CalendarClick(fieldName); });
        } else {
            e->setClearingKeys(true);
            connect(e, &TDBEditBtn::OnBtnClick, this, [this, fieldName] { NameButtonClick(fieldName); });
        }
        if (!caption.isNull())
            form->addRow(caption, e);
        m_edits.insert(fieldName, e);
        return e;
    };
    // A code with its name beside it on one row.
    auto addPair = [&](QFormLayout *form, const char *code, const char *codeName, const char *nameField,
                       const char *name, const QString &caption) {
        auto *row = new QHBoxLayout();
        TDBEdit *c = addEdit(form, code, codeName, QString());
        c->setReadOnly(true);
        c->setEnabled(false);
        c->setMaximumWidth(70);
        row->addWidget(c);
        row->addWidget(addButtonEdit(form, nameField, name, QString(), false), 1);
        form->addRow(caption, row);
    };

    auto *clientRow = new QHBoxLayout();
    TDBEdit *clientCodeEdit = addEdit(left, "KLIKOOD", "edKliKood", QString());
    TDBEdit *clientNameEdit = addEdit(left, "KLINIMI", "edKliNimi", QString());
    clientCodeEdit->setMaximumWidth(70);
    for (TDBEdit *e : {clientCodeEdit, clientNameEdit})
        e->setEnabled(false);
    clientRow->addWidget(clientCodeEdit);
    clientRow->addWidget(clientNameEdit, 1);
    left->addRow(Translate(QStringLiteral("Klient")), clientRow);
    addButtonEdit(left, "JKONTAKTKUUP", "edKuupaev", Translate(QStringLiteral("Kuu&päev")), true);
    addEdit(left, "JKONTAKTKELL", "edKell", Translate(QStringLiteral("Kellaaeg")));
    addButtonEdit(left, "JKONTAKTKUUPKUNI", "edKuupaevKuni", Translate(QStringLiteral("Kuupäev_kuni")), true);
    addEdit(left, "JKONTAKTKELLKUNI", "edKellKuni", Translate(QStringLiteral("kuni")));
    addPair(left, "JKONTAKTLIIK", "edLiik", "JKONTAKTLIIKNIMI", "edLiikNimi",
            Translate(QStringLiteral("KontaktiLiik")));
    m_agreement = new TDBValComboBox(panData());
    m_agreement->setObjectName(QStringLiteral("dbcbKokkulepe"));
    m_agreement->setItemsAndValues(TdmJKontaktEdit::AgreementTexts(), TdmJKontaktEdit::AgreementValues());
    m_agreement->bind(source, QStringLiteral("JKONTAKTKOKKULEPE"), ui());
    left->addRow(Translate(QStringLiteral("Kokkulepe")), m_agreement);
    addButtonEdit(left, "JKONTTAHTAEG", "edTahtaeg", Translate(QStringLiteral("Tähtaeg")), true);

    addPair(right, "KLIKISIKKOOD", "edKontIsikKood", "KONTAKTISIKNIMI", "edKontaktIsik",
            Translate(QStringLiteral("Kontaktisik")));
    addPair(right, "AGENTKOOD", "edAgentKood", "AGENTNIMI", "edAgent", Translate(QStringLiteral("Agent")));
    addPair(right, "TOOTEGRID", "edTooteGrId", "TOOTEGRNIMI", "edTooteGrupp", Translate(QStringLiteral("Tootegrupp")));
    addPair(right, "TOOTEID", "edTooteId", "TOOTENIMI", "edToode", Translate(QStringLiteral("Toode")));
    addPair(right, "REGAGENTKOOD", "edRegAgentKood", "REGAGENTNIMI", "edPlaneerija",
            Translate(QStringLiteral("Planeerija")));
    addPair(right, "PROJID", "edProjId", "PROJNIMI", "edProjekt", Translate(QStringLiteral("Projekt")));
    auto *seen = new TDBCheckBox(Translate(QStringLiteral("Agent tutvunud")), panData());
    seen->setObjectName(QStringLiteral("cbAgentTutvunud"));
    seen->bind(source, QStringLiteral("AGENTTUTVUNUD"), ui());
    // Set by saving, never by hand.
    seen->setEnabled(false);
    right->addRow(QString(), seen);

    layout->addWidget(new QLabel(Translate(QStringLiteral("Teema ja kommentaarid")), panData()));
    addEdit(left, "JKONTAKTTEEMA", "edTeema", QString());
    layout->addWidget(m_edits.value(QStringLiteral("JKONTAKTTEEMA")));
    m_memo = new TDBMemo(panData());
    m_memo->setObjectName(QStringLiteral("memKommentaar"));
    m_memo->bind(source, QStringLiteral("JKONTAKTKOMMENT"), ui());
    layout->addWidget(m_memo, 1);

    addCommand(
        QStringLiteral("Naitaklienti1"), Translate(QStringLiteral("Näita klienti")), [this] { bShowClientClick(); },
        QKeySequence(QStringLiteral("Alt+E")), QStringLiteral("bShowClient"));
    addCommand(
        QStringLiteral("Kontaktkirja1"), Translate(QStringLiteral("Kontakt kirja")), [this] { bTeeKontaktClick(); },
        QKeySequence(QStringLiteral("Alt+A")), QStringLiteral("bTeeKontakt"));

    runCommand([&] {
        if (planId < 0) {
            m_module->OpenNew(clientCode, clientName, personCode, personName);
            m_opened = true;
        } else {
            m_opened = m_module->OpenPlan(planId);
        }
    });
    enableByRights();
    connect(m_module, &TdmJKontaktEdit::captionChanged, this, &TfJKontaktEdit::renewCaption);
    connect(m_module->taKliJargmKontakt(), &data::DataSet::stateChanged, this, &TfJKontaktEdit::renewCaption);
    connect(source, &data::DataSource::dataChanged, this, &TfJKontaktEdit::renewCaption);
    renewCaption();
    updateButtons();
    resize(760, 480);
}

int TfJKontaktEdit::PlanId() const
{
    return m_module ? m_module->PlanId() : 0;
}

void TfJKontaktEdit::renewCaption()
{
    if (m_module)
        setWindowTitle(m_module->Caption());
}

void TfJKontaktEdit::enableByRights()
{
    if (!m_module)
        return;
    if (TDBEdit *e = edit(QStringLiteral("REGAGENTNIMI")))
        e->setEnabled(m_module->PlannerEditable());
    if (TDBEdit *e = edit(QStringLiteral("PROJNIMI")))
        e->setEnabled(m_module->ProjectEditable());
}

void TfJKontaktEdit::bShowClientClick()
{
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (m_module && main && m_module->ClientCode() > 0)
        main->OpenClientCard(m_module->ClientCode(), 0);
}

void TfJKontaktEdit::bTeeKontaktClick()
{
    if (!m_module)
        return;
    const SaveAnswer answer = AskSave();
    if (answer == SaveAnswer::Cancel)
        return;
    // A new plan that was dropped has nothing to register a contact against.
    if (answer == SaveAnswer::Discarded || m_module->RegisterContact())
        close();
}

void TfJKontaktEdit::CalendarClick(const QString &fieldName)
{
    if (m_module)
        ChooseDateForField(*this, *DataSource1(), fieldName);
}

void TfJKontaktEdit::NameButtonClick(const QString &nameField)
{
    TDBEdit *e = edit(nameField);
    if (!m_module || (e && !e->isEnabled()))
        return;
    runCommand([this, &nameField] { m_module->PickName(nameField); });
}
