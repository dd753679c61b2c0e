#include "TfKontaktEdit.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/DateFieldCalendar.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEdit.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBMemo.h"

TfKontaktEdit::TfKontaktEdit(const WindowContext &context, bool isNew, int contactId, QWidget *parent)
    : TfDataEditForm1(context, parent), m_module(new contacts::TdmKontaktEdit(*context.data, this))
{
    setObjectName(QStringLiteral("fKontaktEdit"));
    setWindowTitle(Translate(isNew ? QStringLiteral("Kontakti registreerimine") : QStringLiteral("Toimunud kontakt")));
    if (isNew) {
        m_opened = true;
    } else {
        try {
            m_opened = m_module->OpenExisting(contactId);
        } catch (const std::exception &e) {
            reportError(e);
            m_opened = false;
        }
    }
    setDataSet(m_module->taKontakt());
    build();
    addOwnCommand("Naitaklienti1", "Näita klienti", "Alt+E", "bShowClient", [this] { m_module->ShowClient(); });
    addOwnCommand("Planeerijargminekontakt1", "Planeeri järgmine kontakt", "Alt+P", "bPlaneeriKontakt",
                  [this] { m_module->PlanNextContact(); });
    connect(m_module, &contacts::TdmKontaktEdit::captionChanged, this, &TfKontaktEdit::renewCaption);
    connect(m_module, &contacts::TdmKontaktEdit::closeRequested, this, &QWidget::close);
    if (m_opened && !isNew)
        renewCaption();
}

TfKontaktEdit::~TfKontaktEdit()
{
    // The controls let go of the dataset before it closes.
    setDataSet(nullptr);
    m_module->Close();
}

bool TfKontaktEdit::Prepare(const contacts::ContactRequest &request)
{
    m_module->OpenNew(request);
    if (!m_module->Prepare())
        return false;
    m_module->Append();
    renewCaption();
    return true;
}

int TfKontaktEdit::ContactId() const
{
    return m_module->ContactId();
}

void TfKontaktEdit::renewCaption()
{
    setWindowTitle(m_module->Caption());
}

bool TfKontaktEdit::CanDelete(bool allowed)
{
    return m_module->CanDelete(allowed);
}

bool TfKontaktEdit::ConfirmDelete()
{
    // The rights come before the question.
    bool allowed = false;
    runCommand([this, &allowed] {
        m_module->CheckDelete();
        allowed = true;
    });
    return allowed && TfDataEditForm1::ConfirmDelete();
}

void TfKontaktEdit::pickName(const QString &fieldName)
{
    data::DataSet *ds = m_module->taKontakt();
    runCommand([this, ds, &fieldName] { context().data->PickByFieldName(ds->field(fieldName)); });
}

void TfKontaktEdit::build()
{
    data::DataSource *source = DataSource1();
    auto *layout = new QVBoxLayout(panData());
    auto *grid = new QGridLayout();
    layout->addLayout(grid);
    int row = 0;
    auto label = [&](const char *caption, int r, int column) {
        auto *l = new QLabel(Translate(QString::fromUtf8(caption)), panData());
        grid->addWidget(l, r, column);
        return l;
    };
    auto edit = [&](const char *field, const char *name, int r, int column, int span = 1) {
        auto *e = new TDBEdit(panData());
        e->setObjectName(QString::fromLatin1(name));
        e->bind(source, QString::fromLatin1(field), ui());
        grid->addWidget(e, r, column, 1, span);
        m_controls.insert(QString::fromLatin1(field), e);
        return e;
    };
    auto dateEdit = [&](const char *field, const char *name, int r, int column) {
        auto *e = new TDBEditBtn(panData());
        e->setObjectName(QString::fromLatin1(name));
        e->bind(source, QString::fromLatin1(field), ui());
        grid->addWidget(e, r, column);
        m_controls.insert(QString::fromLatin1(field), e);
        const QString fieldName = QString::fromLatin1(field);
        connect(e, &TDBEditBtn::OnBtnClick, this, [this, source, fieldName] { ChooseDateForField(*this, *source, fieldName); });
        return e;
    };
    auto picker = [&](const char *field, const char *name, int r, int column, int span = 1) {
        auto *e = new TDBEditBtn(panData());
        e->setObjectName(QString::fromLatin1(name));
        e->bind(source, QString::fromLatin1(field), ui());
        e->setClearingKeys(true);
        grid->addWidget(e, r, column, 1, span);
        m_controls.insert(QString::fromLatin1(field), e);
        const QString fieldName = QString::fromLatin1(field);
        connect(e, &TDBEditBtn::OnBtnClick, this, [this, e, fieldName] {
            if (e->isEnabled() && !e->isReadOnly())
                pickName(fieldName);
        });
        return e;
    };

    label("Kuupäev", row, 0);
    dateEdit("KONTAKTKUUP", "dbeKontaktKuup", row, 1);
    label("Kell", row, 2);
    edit("KONTAKTKELL", "dbeKontaktKell", row, 3);
    ++row;
    label("Kuupäev_kuni", row, 0);
    dateEdit("KONTAKTKUUPKUNI", "dbeKontaktKuupKuni", row, 1);
    label("Kell_kuni", row, 2);
    edit("KONTAKTKELLKUNI", "dbeKontaktKellKuni", row, 3);
    ++row;
    label("KontaktiLiik", row, 0);
    picker("KONTAKTLIIKNIMI", "dbeKontaktLiik", row, 1);
    auto *performed = new TDBCheckBox(Translate(QStringLiteral("Toimus")), panData());
    performed->setObjectName(QStringLiteral("dbcbKontaktToimus"));
    performed->bind(source, QStringLiteral("KONTAKTTOIMUS"), ui());
    grid->addWidget(performed, row, 3);
    m_controls.insert(QStringLiteral("KONTAKTTOIMUS"), performed);
    ++row;
    label("Klient", row, 0);
    TDBEdit *client = edit("KLIENDINIMI", "dbeKliNimi", row, 1, 3);
    client->setReadOnly(true);
    client->setFocusPolicy(Qt::ClickFocus);
    ++row;
    label("Agent", row, 0);
    picker("AGENTNIMI", "dbeAgent", row, 1);
    label("Kontaktisik", row, 2);
    picker("KONTAKTISIKNIMI", "dbeKontaktIsik", row, 3);
    ++row;
    label("Tootegrupp", row, 0);
    picker("TOOTEGRNIMI", "dbeTooteGrupp", row, 1);
    label("Toode", row, 2);
    picker("TOOTENIMI", "dbeToode", row, 3);
    ++row;
    label("Registreerija", row, 0);
    TDBEditBtn *registrar = picker("REGAGENTNIMI", "dbeRegAgent", row, 1);
    registrar->setEnabled(m_module->RegAgentEditable());
    label("Projekt", row, 2);
    TDBEditBtn *project = picker("PROJNIMI", "dbeProjekt", row, 3);
    project->setEnabled(m_module->ProjectEditable());
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *box = new QGroupBox(Translate(QStringLiteral("Teema ja kommentaarid")), panData());
    auto *boxLayout = new QVBoxLayout(box);
    auto *topic = new TDBEdit(box);
    topic->setObjectName(QStringLiteral("dbeKontaktTeema"));
    topic->setMaxLength(50);
    topic->bind(source, QStringLiteral("KONTAKTTEEMA"), ui());
    boxLayout->addWidget(topic);
    m_controls.insert(QStringLiteral("KONTAKTTEEMA"), topic);
    auto *comment = new TDBMemo(box);
    comment->setObjectName(QStringLiteral("dbmKontaktKomment"));
    comment->bind(source, QStringLiteral("KONTAKTKOMMENT"), ui());
    boxLayout->addWidget(comment, 1);
    m_controls.insert(QStringLiteral("KONTAKTKOMMENT"), comment);
    layout->addWidget(box, 1);
    resize(640, 460);
}
