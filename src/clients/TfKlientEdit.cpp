#include "TfKlientEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "TdmKlientEdit1.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "reference/GridColumnOrder.h"
#include "reference/PickPairName.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBGrid.h"
#include "ui/TDBMemo.h"
#include "ui/TDBValComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/THDBNavigator.h"

namespace {

using Columns = std::vector<std::pair<const char *, const char *>>;
const char *const ColumnOrder = "cardColumnOrder";

// A grid of the card over one of the page datasets, its columns in the order the page lists them.
TDBGrid *cardGrid(QWidget *page, data::DataSource *source)
{
    auto *grid = new TDBGrid(page);
    grid->setDataSource(source);
    if (data::DataSet *ds = source ? source->dataSet() : nullptr)
        SetGridColumnOrder(grid, ds->property(ColumnOrder).toStringList());
    return grid;
}

// The grid columns of a page: the listed fields under their captions, in that order; the rest hidden.
void showColumns(data::DataSet &ds, const Columns &columns)
{
    QStringList order;
    for (const auto &[field, caption] : columns) {
        ds.defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(caption)));
        order << QString::fromLatin1(field);
    }
    // The grids of every card over this (pooled) dataset show the columns in the listed order.
    ds.setProperty(ColumnOrder, order);
    // Before the grids hear of the open: connected ahead of every grid's model.
    QObject::connect(&ds, &data::DataSet::reset, &ds, [columns, &d = ds] {
        for (int i = 0; i < d.fieldCount(); ++i) {
            data::Field &f = d.fieldAt(i);
            bool listed = false;
            for (const auto &c : columns)
                listed = listed || f.fieldName() == QLatin1String(c.first);
            f.setVisible(listed);
        }
    });
}

const QStringList NavigatorHints = {"Esimene", "Eelmine", "Järgmine", "Viimane", "Uus",
                                    "Kustuta", "Muuda",   "Salvesta", "Jäta",    "Värskenda"};

} // namespace

TfKlientEdit::TfKlientEdit(const WindowContext &context, int clientCode, int page, QWidget *parent)
    : TfDataEditForm1(context, parent)
{
    setObjectName(QStringLiteral("fKlientEdit"));
    setWindowTitle(Translate(QStringLiteral("Klient")));
    if (!context.data)
        return;
    m_module = TdmKlientEdit1::Acquire(*context.data, this);
    prepareFields();
    setDataSet(m_module->taKlient());

    auto *layout = new QVBoxLayout(panData());
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QTabWidget(panData());
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages);
    m_pages->addTab(mainPage(), Translate(QStringLiteral("Põhiandm&ed")));
    m_pages->addTab(plansPage(), Translate(QStringLiteral("Pla&neeritud kontaktid")));
    m_pages->addTab(contactsPage(), Translate(QStringLiteral("Senised kon&taktid")));
    m_pages->addTab(productsPage(), Translate(QStringLiteral("Kasutatava&d tooted")));
    m_pages->addTab(classifiersPage(), Translate(QStringLiteral("Täiendav &liigitus")));
    m_pages->addTab(documentsPage(), Translate(QStringLiteral("Dokumend&id")));
    m_pages->addTab(gridPage(TdmKlientEdit1::Sales, QStringLiteral("tasMyyk"), true),
                    Translate(QStringLiteral("Müük")));
    m_pages->addTab(gridPage(TdmKlientEdit1::Agents, QStringLiteral("tasAgendid"), true),
                    Translate(QStringLiteral("Agendid")));

    // Names of code-name pairs are chosen from their lists, the document's file from the files.
    const std::pair<int, QStringList> buttonColumns[] = {
        {TdmKlientEdit1::Main, {QStringLiteral("KONTAKTISIKAMET")}},
        {TdmKlientEdit1::Products,
         {QStringLiteral("TOOTEGRNIMI"), QStringLiteral("TOOTENIMI"), QStringLiteral("TOOTELISANIMI")}},
        {TdmKlientEdit1::Classifiers, {QStringLiteral("KL1GRNIMI"), QStringLiteral("KL1NIMI")}},
        {TdmKlientEdit1::Documents, {QStringLiteral("KLIDOKFILENAME")}},
        {TdmKlientEdit1::Sales,
         {QStringLiteral("AGENTNIMI"), QStringLiteral("TOOTEGRNIMI"), QStringLiteral("TOOTENIMI"),
          QStringLiteral("PROJNIMI")}},
        {TdmKlientEdit1::Agents, {QStringLiteral("AGENTNIMI")}},
    };
    for (const auto &[pageIndex, fields] : buttonColumns) {
        TDBGrid *grid = m_grids.value(pageIndex);
        grid->setButtonFields(fields);
        connect(grid, &TDBGrid::cellButtonClicked, this, [this, pageIndex](const QString &field) {
            runCommand([this, pageIndex, field] { GridButtonClick(pageIndex, field); });
        });
    }
    // The refinement's title comes with the refinement and is never typed.
    m_grids.value(TdmKlientEdit1::Products)
        ->setFieldBackground(QStringLiteral("TOOTELISATIITEL"), palette().brush(QPalette::Button));

    addCommand(
        QStringLiteral("Kontaktkirja1"), Translate(QStringLiteral("Kontakt kirja")), [this] { bTeeKontaktClick(); },
        QKeySequence(QStringLiteral("Alt+A")), QStringLiteral("bTeeKontakt"));
    addCommand(
        QStringLiteral("Planeerikontakt1"), Translate(QStringLiteral("Planeeri kontakt")),
        [this] { bPlaneeriKontaktClick(); }, QKeySequence(), QStringLiteral("bPlaneeriKontakt"));
    addCommand(
        QStringLiteral("Kliendikaardivljatrkk1"), Translate(QStringLiteral("Kliendi kaardi väljatrükk")),
        [this] { bPrintFirmaKaartClick(); }, QKeySequence(QStringLiteral("Alt+P")), QStringLiteral("bPrintFirmaKaart"));
    addCommand(
        QStringLiteral("Saadaemail1"), Translate(QStringLiteral("Saada e-mail")), [this] { bSendEMailClick(); },
        QKeySequence(), QStringLiteral("bSendEMail"));
    addCommand(
        QStringLiteral("Helista1"), Translate(QStringLiteral("Helista")), [this] { bMakeCallClick(); }, QKeySequence(),
        QStringLiteral("bMakeCall"));

    const data::TData1::CardFilterStates &states = context.data->CardFilters;
    for (auto [box, on] :
         {std::pair{m_activePersons, states.activePersons}, std::pair{m_ownPlans, states.ownPlans},
          std::pair{m_ownContacts, states.ownContacts}, std::pair{m_activeProject, states.activeProjectContacts}}) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }
    m_ownPlans->setEnabled(context.data->session().Level >= 2);

    bool opened = false;
    runCommand([this, clientCode, &opened] {
        if (clientCode <= 0) {
            m_module->OpenNew();
            opened = true;
        } else {
            opened = m_module->OpenClient(clientCode);
        }
    });
    if (!opened) {
        m_module->Release(true);
        m_module = nullptr;
        return;
    }
    connect(m_module, &TdmKlientEdit1::captionChanged, this, &TfKlientEdit::renewCaption);
    connect(m_module, &TdmKlientEdit1::closeRequested, this,
            [this] { QTimer::singleShot(0, this, [this] { close(); }); });
    connect(m_module->taKlient(), &data::DataSet::stateChanged, this, &TfKlientEdit::renewCaption);
    connect(m_module->dsKlient(), &data::DataSource::dataChanged, this, &TfKlientEdit::renewCaption);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_module)
            runCommand([this, index] { m_module->PageShown(index); });
    });
    ShowPage(page);
    renewCaption();
    updateButtons();
    resize(1100, 680);
}

TfKlientEdit::~TfKlientEdit()
{
    if (m_module)
        m_module->Release();
}

int TfKlientEdit::ClientCode() const
{
    return m_module ? m_module->ClientCode() : 0;
}

void TfKlientEdit::ShowPage(int page)
{
    if (!m_pages || !m_module)
        return;
    if (m_pages->currentIndex() == page)
        runCommand([this, page] { m_module->PageShown(page); });
    else
        m_pages->setCurrentIndex(page);
}

void TfKlientEdit::renewCaption()
{
    if (m_module)
        setWindowTitle(m_module->Caption());
}

void TfKlientEdit::prepareFields()
{
    // A pooled module keeps what an earlier card gave its fields.
    if (m_module->property("cardFieldsPrepared").toBool())
        return;
    m_module->setProperty("cardFieldsPrepared", true);
    showColumns(*m_module->taKliKontaktIsikud(), {{"KONTAKTISIKNIMI", "Nimi"},
                                                  {"KONTAKTISIKAMET", "Amet"},
                                                  {"KONTAKTISIKTEL", "Tel"},
                                                  {"KONTAKTISIKTEL2", "Tel2"},
                                                  {"KONTAKTISIKFAX", "Fax"},
                                                  {"KONTAKTISIKEMAIL", "EMail"},
                                                  {"KONTAKTISIKKOMMENT", "Kommentaarid"},
                                                  {"KONTAKTISIKAKTIIVNE", "Aktiivne"},
                                                  {"KISIKUKOOD", "IsikuKood"},
                                                  {"KISIKPAKKUMOK", "SoovibMassPakkumisi"}});
    showColumns(*m_module->taKliJargmKontaktid(), {{"AGENTNIMI", "Agent"},
                                                   {"JKONTAKTKUUP", "Kuupäev"},
                                                   {"JKONTAKTKELL", "Kell"},
                                                   {"JKONTAKTKUUPKUNI", "Kuupäev_kuni"},
                                                   {"JKONTAKTKELLKUNI", "Kell_kuni"},
                                                   {"JKONTAKTLIIKNIMI", "KontaktiLiik"},
                                                   {"JKONTAKTKOKKULEPE", "Kokkulepe"},
                                                   {"KONTAKTISIKNIMI", "Kontaktisik"},
                                                   {"JKONTAKTTEEMA", "Teema"},
                                                   {"JKONTAKTKOMMENT", "Kommentaarid"},
                                                   {"JKONTTAHTAEG", "Tähtaeg"},
                                                   {"REGAGENTNIMI", "Planeerija"},
                                                   {"AGENTTUTVUNUD", "AgentTutvunud"},
                                                   {"PROJNIMI", "Projekt"},
                                                   {"TOOTEGRNIMI", "TooteGrupp"},
                                                   {"TOOTENIMI", "Toode"}});
    showColumns(*m_module->taKontaktidKliendil(), {{"KONTAKTKUUP", "Kuupäev"},
                                                   {"KONTAKTKELL", "Kell"},
                                                   {"KONTAKTLIIKNIMI", "KontaktiLiik"},
                                                   {"KONTAKTTEEMA", "Teema"},
                                                   {"KONTAKTKOMMENT", "Kommentaarid"},
                                                   {"KONTAKTISIKNIMI", "KontaktIsik"},
                                                   {"KONTAKTTOIMUS", "KontaktToimus"},
                                                   {"AGENTNIMI", "Agent"},
                                                   {"REGAGENTNIMI", "Registreerija"},
                                                   {"PROJNIMI", "Projekt"},
                                                   {"KONTAKTYHIKUID", "Ühikuid"},
                                                   {"KONTAKTID", "ID"},
                                                   {"KONTAKTIDGRUPP", "PakkumiseID"},
                                                   {"TOOTEGRNIMI", "TooteGrupp"},
                                                   {"TOOTENIMI", "Toode"}});
    showColumns(*m_module->taTootedKliendil(), {{"TOOTEGRNIMI", "TooteGrupp"},
                                                {"TOOTEID", "TooteKood"},
                                                {"TOOTENIMI", "TooteNimi"},
                                                {"TOOTELISATIITEL", "Täpsustus"},
                                                {"TOOTELISANIMI", "..."},
                                                {"KLITOODEALATESKUUP", "AlatesKuup"},
                                                {"KLITOODEKUNIKUUP", "KuniKuup"},
                                                {"KLITOODEKOGUS", "Kogus"},
                                                {"KLITOODEKOMMENT", "Kommentaarid"},
                                                {"TOOTEUUDISEDOK", "SoovibTooteUudiseid"}});
    m_module->taTootedKliendil()->defineField(QStringLiteral("TOOTELISATIITEL")).setReadOnly(true);
    showColumns(*m_module->taKlassif1Kli(),
                {{"KL1GRNIMI", "Grupp"}, {"KL1NIMI", "Klassifikaator"}, {"KL1KLIKOMMENT", "Kommentaarid"}});
    showColumns(*m_module->taKliendiDokum(), {{"KLIDOKTYYP", "Tüüp"},
                                              {"KLIDOKFILENAME", "KliDokFailiNimi"},
                                              {"KLIDOKKOMMENT", "KliDokKomment"},
                                              {"KLIDOKASUKOHT", "KliDokAsukoht"}});
    showColumns(*m_module->taKliPerMyyk(), {{"PERALGUS", "PerAlgus"},
                                            {"PERLOPP", "PerLõpp"},
                                            {"AGENTNIMI", "Agent"},
                                            {"PERMYYKSUMMA", "MüügiKäive"},
                                            {"TEHINGUTE_ARV", "TehinguteArv"},
                                            {"TOOTEGRNIMI", "TooteGrupp"},
                                            {"TOOTENIMI", "Toode"},
                                            {"TOOTEKOGUS", "Kogus"},
                                            {"PERMYYKKOMMENT", "Kommentaarid"},
                                            {"PROJNIMI", "Projekt"},
                                            {"PARITOLU", "Päritolu"}});
    showColumns(*m_module->taKliendiAgendid(), {{"AGENTNIMI", "AgendiNimi"}, {"AGENTVASTUTAV", "AgentVastutav"}});
    m_module->taKliendiAgendid()->defineField(QStringLiteral("AGENTNIMI")).setRequired(true);
}

QWidget *TfKlientEdit::mainPage()
{
    auto *page = new QWidget();
    page->setObjectName(QStringLiteral("tasPohiandmed"));
    // The client's fields above, scrolled when the window is small, and the contact persons below.
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *split = new QSplitter(Qt::Vertical, page);
    outer->addWidget(split);
    auto *scroll = new QScrollArea(split);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *fields = new QWidget();
    auto *layout = new QVBoxLayout(fields);
    scroll->setWidget(fields);
    auto *lower = new QWidget(split);
    auto *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto *columns = new QHBoxLayout();
    auto *left = new QFormLayout();
    auto *right = new QFormLayout();
    auto *third = new QFormLayout();
    columns->addLayout(left, 4);
    columns->addLayout(right, 3);
    columns->addLayout(third, 3);
    layout->addLayout(columns);
    data::DataSource *client = m_module->dsKlient();
    data::TData1 &module = *context().data;

    auto addEdit = [&](QFormLayout *form, const char *field, const char *name, const char *caption, int length = 0) {
        auto *e = new TDBEdit(page);
        e->setObjectName(QString::fromLatin1(name));
        if (length > 0)
            e->setMaxLength(length);
        e->bind(client, QString::fromLatin1(field), ui());
        form->addRow(Translate(QString::fromUtf8(caption)), e);
        m_edits << e;
        return e;
    };
    auto addPicker = [&](QFormLayout *form, const char *field, const char *name, const char *caption, const char *list,
                         const char *key, const char *title) {
        auto *e = new TDBEditBtn(page);
        e->setObjectName(QString::fromLatin1(name));
        e->bind(client, QString::fromLatin1(field), ui());
        e->setClearingKeys(true);
        form->addRow(Translate(QString::fromUtf8(caption)), e);
        m_edits << e;
        connect(e, &TDBEditBtn::OnBtnClick, this, [this, e, &module, list, key, title] {
            runCommand([&module, e, list, key, title] {
                PickPairName(module, *e, QString::fromLatin1(list), QString::fromLatin1(key),
                             Translate(QString::fromUtf8(title)));
            });
        });
    };
    auto addCheck = [&](QFormLayout *form, const char *field, const char *name, const char *caption) {
        auto *c = new TDBCheckBox(Translate(QString::fromUtf8(caption)), page);
        c->setObjectName(QString::fromLatin1(name));
        c->bind(client, QString::fromLatin1(field), ui());
        form->addRow(QString(), c);
    };
    auto addChoice = [&](QFormLayout *form, const char *field, const char *name, const char *caption,
                         const QStringList &items, const QStringList &values) {
        auto *c = new TDBValComboBox(page);
        c->setObjectName(QString::fromLatin1(name));
        c->setItemsAndValues(items, values);
        c->bind(client, QString::fromLatin1(field), ui());
        form->addRow(Translate(QString::fromUtf8(caption)), c);
    };

    addEdit(left, "KLIKOOD", "edKood", "Kood");
    addEdit(left, "KLINIMI", "edNimi", "Nimi", 60);
    addPicker(left, "KLIOMVORM", "edOmandiVorm", "OmandiVorm", "taOmandiVormidL", "OMANDIVORM", "Omandivormid");
    addEdit(left, "KLIAADRESS", "edAadress", "Aadress: tänav-maja/küla", 60);
    addPicker(left, "LINNVALDNIMI", "edLinnVald", "Linn/vald/mk", "taLinnadValladL", "LINNVALDKOOD", "Linnad-vallad");
    addEdit(left, "KLIPOSTIINDEX", "edPostiIndeks", "PostiIndeks", 20);
    addPicker(left, "RIIGINIMI", "edRiik", "Riik", "taRiigidL", "RIIKID", "Riigid");
    addEdit(left, "KLIAADRESS2", "edAadress2", "Aadress 2: tänav-maja/küla", 60);
    addPicker(left, "LINNVALDNIMI2", "edLinnVald2", "Linn/vald/mk 2", "taLinnadValladL", "LINNVALDKOOD",
              "Linnad-vallad");
    addEdit(left, "KLIPOSTIINDEX2", "edPostiIndeks2", "PostiIndeks 2", 20);
    addEdit(third, "KLIKOODLAOS", "edKoodLaos", "KoodLaos", 10)
        ->setToolTip(Translate(QStringLiteral("Kood müügiprogrammis")));
    addEdit(third, "TOOTAJATEARV", "edTootajateArv", "Töötajate_arv");
    addEdit(third, "KLIKAIVE", "edKaive", "Käive");
    addChoice(third, "KLIKVALITEET", "dbcbHinnang", "Hinnang",
              {Translate(QStringLiteral("Puudub")), Translate(QStringLiteral("Hea")),
               Translate(QStringLiteral("Keskmine")), Translate(QStringLiteral("Halb"))},
              {QString(), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("-1")});

    addEdit(right, "KLIEMAIL", "edEmail", "E-mail", 50);
    addEdit(right, "KLITEL", "edTelefon", "Tele&fon", 20);
    m_phone2 = addEdit(right, "KLITEL2", "edTelefon2", "Telefon2", 20);
    addEdit(right, "KLIFAX", "edFax", "Fax", 20);
    addEdit(right, "KLIREGNR", "edRegistriNr", "RegistriNr", 11);
    addChoice(right, "KLISUHTETYYP", "dbcbSuhteTyyp", "Suhte tüüp",
              {QString(), Translate(QStringLiteral("Klient")), Translate(QStringLiteral("Partner"))},
              {QString(), QStringLiteral("1"), QStringLiteral("11")});
    addEdit(right, "KLILISAMKUUP", "edLisatud", "Klient_lisatud_kp");
    addEdit(right, "KLILEPINGUNR", "edLepinguNr", "LepinguNr", 20);
    addEdit(right, "KLIMAKSEAEG", "edMakseAeg", "MakseAeg");
    addEdit(right, "KLIALE", "edSoodustus", "Soodustus %");
    addCheck(third, "KLIENTAKTIIVNE", "cbAktiivne", "Aktiivne");
    addCheck(third, "KLIBOONUS", "cbBoonus", "Boonus");
    addCheck(third, "KLIPYSI", "cbPysiklient", "Püsiklient");
    addCheck(third, "KLIMPAKKUMOK", "cbMassPakkumised", "Soovib masspakkumisi");

    auto *memo = new TDBMemo(page);
    memo->setObjectName(QStringLiteral("mKommentaarid"));
    memo->bind(client, QStringLiteral("KLIKOMMENT"), ui());
    memo->setMaximumHeight(60);
    layout->addWidget(new QLabel(Translate(QStringLiteral("Kommentaarid kliendi kohta")), page));
    layout->addWidget(memo);
    layout->addStretch(1);

    // The lower half: the contact persons.
    auto *bar = new QHBoxLayout();
    bar->addWidget(new QLabel(Translate(QStringLiteral("Kontaktisikud:")), page));
    data::DataSource *persons = m_module->source(m_module->taKliKontaktIsikud());
    auto *navigator = new THDBNavigator(page);
    navigator->setObjectName(QStringLiteral("navKontaktIsikud"));
    QStringList hints;
    for (const QString &h : NavigatorHints)
        hints << Translate(h);
    navigator->setHints(hints);
    navigator->bind(persons, ui());
    navigator->setVisibleButtons({THDBNavigator::First, THDBNavigator::Prior, THDBNavigator::Next, THDBNavigator::Last,
                                  THDBNavigator::Insert, THDBNavigator::Delete, THDBNavigator::Post,
                                  THDBNavigator::Cancel});
    bar->addWidget(navigator);
    m_activePersons = new QCheckBox(Translate(QStringLiteral("Aktiivsed")), page);
    m_activePersons->setObjectName(QStringLiteral("cbAktiivsed"));
    m_activePersons->setToolTip(Translate(QStringLiteral("Näita ainult aktiivseid kontaktisikuid")));
    connect(m_activePersons, &QCheckBox::toggled, this, [this](bool on) {
        if (m_module)
            runCommand([this, on] { m_module->SetActivePersonsOnly(on); });
    });
    bar->addWidget(m_activePersons);
    bar->addStretch(1);
    lowerLayout->addLayout(bar);
    auto *grid = cardGrid(page, persons);
    grid->setObjectName(QStringLiteral("grKontaktIsikud"));
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->onError = [this](const std::exception &e) { reportError(e); };
    lowerLayout->addWidget(grid, 1);
    // The fields whole at first, the persons in what is left.
    split->setSizes({fields->sizeHint().height(), 160});
    addEditedSource(persons);
    m_grids.insert(TdmKlientEdit1::Main, grid);
    m_navigators.insert(TdmKlientEdit1::Main, navigator);
    return page;
}

QWidget *TfKlientEdit::gridPage(int pageIndex, const QString &objectName, bool editable)
{
    auto *page = new QWidget();
    page->setObjectName(objectName);
    auto *layout = new QVBoxLayout(page);
    data::DataSource *source = m_module->source(m_module->pageDataSet(pageIndex));
    auto *navigator = new THDBNavigator(page);
    navigator->setObjectName(QStringLiteral("nav") + objectName.mid(3));
    QStringList hints;
    for (const QString &h : NavigatorHints)
        hints << Translate(h);
    navigator->setHints(hints);
    navigator->bind(source, ui());
    if (editable)
        navigator->setVisibleButtons({THDBNavigator::First, THDBNavigator::Prior, THDBNavigator::Next,
                                      THDBNavigator::Last, THDBNavigator::Insert, THDBNavigator::Delete,
                                      THDBNavigator::Post, THDBNavigator::Cancel});
    else
        navigator->setVisibleButtons({THDBNavigator::First, THDBNavigator::Prior, THDBNavigator::Next,
                                      THDBNavigator::Last, THDBNavigator::Refresh});
    auto *bar = new QHBoxLayout();
    bar->addWidget(navigator);
    bar->addStretch(1);
    layout->addLayout(bar);
    auto *grid = cardGrid(page, source);
    grid->setObjectName(QStringLiteral("gr") + objectName.mid(3));
    grid->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
    grid->onError = [this](const std::exception &e) { reportError(e); };
    layout->addWidget(grid, 1);
    if (editable)
        addEditedSource(source);
    m_grids.insert(pageIndex, grid);
    m_navigators.insert(pageIndex, navigator);
    return page;
}

QWidget *TfKlientEdit::plansPage()
{
    QWidget *page = gridPage(TdmKlientEdit1::Plans, QStringLiteral("tasPlaneeritud"), false);
    auto *bar = qobject_cast<QHBoxLayout *>(page->layout()->itemAt(0)->layout());
    m_ownPlans = new QCheckBox(Translate(QStringLiteral("Näita ainult omad")), page);
    m_ownPlans->setObjectName(QStringLiteral("cbOmadPlaanid"));
    connect(m_ownPlans, &QCheckBox::toggled, this, [this](bool on) {
        if (m_module)
            runCommand([this, on] { m_module->SetOwnPlansOnly(on); });
    });
    bar->insertWidget(1, m_ownPlans);
    auto *plan = new QPushButton(Translate(QStringLiteral("&Uus")), page);
    plan->setObjectName(QStringLiteral("bUusPlaan"));
    connect(plan, &QPushButton::clicked, this, [this] { runCommand([this] { bPlaneeriKontaktClick(); }); });
    bar->insertWidget(2, plan);
    auto *open = new QPushButton(Translate(QStringLiteral("A&va planeering")), page);
    open->setObjectName(QStringLiteral("bAvaPlaneering"));
    open->setToolTip(Translate(QStringLiteral("Ava valitud planeering")));
    connect(open, &QPushButton::clicked, this, [this] { runCommand([this] { m_module->OpenCurrentPlan(); }); });
    bar->insertWidget(3, open);
    connect(m_grids.value(TdmKlientEdit1::Plans), &QAbstractItemView::doubleClicked, this,
            [this] { runCommand([this] { m_module->OpenCurrentPlan(); }); });
    return page;
}

QWidget *TfKlientEdit::contactsPage()
{
    QWidget *page = gridPage(TdmKlientEdit1::Contacts, QStringLiteral("tasSenised"), false);
    auto *bar = qobject_cast<QHBoxLayout *>(page->layout()->itemAt(0)->layout());
    m_ownContacts = new QCheckBox(Translate(QStringLiteral("Näita ainult omad")), page);
    m_ownContacts->setObjectName(QStringLiteral("cbOmadKontaktid"));
    m_activeProject = new QCheckBox(Translate(QStringLiteral("Ainult aktiivne projekt")), page);
    m_activeProject->setObjectName(QStringLiteral("cbAktiivneProjekt"));
    for (QCheckBox *box : {m_ownContacts, m_activeProject})
        connect(box, &QCheckBox::toggled, this, [this] {
            if (m_module)
                runCommand(
                    [this] { m_module->SetContactFilters(m_ownContacts->isChecked(), m_activeProject->isChecked()); });
        });
    bar->insertWidget(1, m_ownContacts);
    bar->insertWidget(2, m_activeProject);
    auto *open = new QPushButton(Translate(QStringLiteral("A&va kontakt")), page);
    open->setObjectName(QStringLiteral("bAvaKontakt"));
    connect(open, &QPushButton::clicked, this, [this] { runCommand([this] { m_module->OpenCurrentContact(); }); });
    bar->insertWidget(3, open);
    connect(m_grids.value(TdmKlientEdit1::Contacts), &QAbstractItemView::doubleClicked, this,
            [this] { runCommand([this] { m_module->OpenCurrentContact(); }); });
    return page;
}

QWidget *TfKlientEdit::productsPage()
{
    QWidget *page = gridPage(TdmKlientEdit1::Products, QStringLiteral("tasTooted"), true);
    auto *bar = qobject_cast<QHBoxLayout *>(page->layout()->itemAt(0)->layout());
    auto *open = new QPushButton(Translate(QStringLiteral("A&va toode")), page);
    open->setObjectName(QStringLiteral("bAvaToode"));
    connect(open, &QPushButton::clicked, this, [this] { runCommand([this] { m_module->OpenCurrentProduct(); }); });
    bar->insertWidget(1, open);
    // A double-click opens the product; typing or F2 edits the cell.
    TDBGrid *grid = m_grids.value(TdmKlientEdit1::Products);
    grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(grid, &QAbstractItemView::doubleClicked, this,
            [this] { runCommand([this] { m_module->OpenCurrentProduct(); }); });
    return page;
}

QWidget *TfKlientEdit::classifiersPage()
{
    QWidget *page = gridPage(TdmKlientEdit1::Classifiers, QStringLiteral("tasLiigitus"), true);
    auto *bar = qobject_cast<QHBoxLayout *>(page->layout()->itemAt(0)->layout());
    bar->insertWidget(1, new QLabel(Translate(QStringLiteral("Filter: Grupp:")), page));
    m_classGroup = new TDynFilterDBCombo(page);
    m_classGroup->setObjectName(QStringLiteral("dfdbcKliKlassif1Gr"));
    m_classGroup->setMinimumWidth(160);
    if (data::DataSet *groups = context().data->dataSet(QStringLiteral("taKlassif1GrL")))
        m_classGroup->setList(groups, QStringLiteral("KL1GRID"), QStringLiteral("KL1GRNIMI"));
    connect(m_classGroup, &TDynFilterDBCombo::OnFilterChange, this, [this] {
        if (m_module)
            runCommand([this] { m_module->SetClassifierGroup(m_classGroup->keyValue().toInt()); });
    });
    bar->insertWidget(2, m_classGroup);

    // The mother company.
    auto *mother = new QHBoxLayout();
    auto *code = new TDBEditBtn(page);
    code->setObjectName(QStringLiteral("edEmaFirmaKood"));
    code->bind(m_module->dsKlient(), QStringLiteral("EMAFIRMAKOOD"), ui());
    connect(code, &TDBEditBtn::OnBtnClick, this, [this] { runCommand([this] { m_module->ChooseMotherCompany(); }); });
    auto *name = new TDBEdit(page);
    name->setObjectName(QStringLiteral("edEmaFirmaNimi"));
    name->bind(m_module->dsKlient(), QStringLiteral("EMAFIRMANIMI"), ui());
    name->setReadOnly(true);
    m_edits << code << name;
    auto *open = new QPushButton(Translate(QStringLiteral("Ava emafirma")), page);
    open->setObjectName(QStringLiteral("bAvaEmafirma"));
    connect(open, &QPushButton::clicked, this, [this] { runCommand([this] { bAvaEmafirmaClick(); }); });
    mother->addWidget(new QLabel(Translate(QStringLiteral("EmaFirmaKood")), page));
    mother->addWidget(code);
    mother->addWidget(new QLabel(Translate(QStringLiteral("EmaFirmaNimi")), page));
    mother->addWidget(name, 1);
    mother->addWidget(open);
    static_cast<QVBoxLayout *>(page->layout())->addLayout(mother);
    return page;
}

QWidget *TfKlientEdit::documentsPage()
{
    QWidget *page = gridPage(TdmKlientEdit1::Documents, QStringLiteral("tasDokumendid"), true);
    auto *bar = qobject_cast<QHBoxLayout *>(page->layout()->itemAt(0)->layout());
    auto *open = new QPushButton(Translate(QStringLiteral("Ava aktiivne dokument")), page);
    open->setObjectName(QStringLiteral("bAvaDokument"));
    connect(open, &QPushButton::clicked, this, [this] { runCommand([this] { bAvaDokumentClick(); }); });
    bar->insertWidget(1, open);
    m_attachDocument = new QCheckBox(Translate(QStringLiteral("Lisa aktiivne dokument e-mailile")), page);
    m_attachDocument->setObjectName(QStringLiteral("cbLisaDokument"));
    bar->insertWidget(2, m_attachDocument);
    // A new document is chosen from the files, not typed into a blank row.
    THDBNavigator *navigator = m_navigators.value(TdmKlientEdit1::Documents);
    navigator->BeforeClickAction = [this](THDBNavigator &, int button, bool &proceed) {
        if (button != THDBNavigator::Insert)
            return;
        proceed = false;
        runCommand([this] { DocumentInsert(); });
    };
    TDBGrid *grid = m_grids.value(TdmKlientEdit1::Documents);
    connect(grid, &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { bAvaDokumentClick(); }); });
    grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    return page;
}

TDBEdit *TfKlientEdit::edit(const QString &fieldName) const
{
    for (TDBEdit *e : m_edits)
        if (e->link().fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return e;
    return nullptr;
}

bool TfKlientEdit::CanDelete(bool allowed)
{
    return m_module && m_module->taKlient()->isActive() && m_module->CanDelete(allowed);
}

bool TfKlientEdit::personChosen() const
{
    TDBGrid *persons = m_grids.value(TdmKlientEdit1::Main);
    QWidget *focus = QApplication::focusWidget();
    if (persons && focus && (focus == persons || persons->isAncestorOf(focus)))
        return true;
    // On the plans and past contacts pages: the person of the selected row when its person column is chosen.
    for (int page : {TdmKlientEdit1::Plans, TdmKlientEdit1::Contacts}) {
        TDBGrid *grid = m_grids.value(page);
        if (!grid || !focus || (focus != grid && !grid->isAncestorOf(focus)))
            continue;
        data::Field *f = grid->selectedField();
        data::DataSet *rows = grid->dataSet();
        if (!f || f->fieldName() != QLatin1String("KONTAKTISIKNIMI") || !rows || rows->isEmpty())
            return false;
        return m_module->taKliKontaktIsikud()->locate(QStringLiteral("KLIKISIKKOOD"),
                                                      rows->field(QStringLiteral("KLIKISIKKOOD")).value());
    }
    return false;
}

void TfKlientEdit::bTeeKontaktClick()
{
    if (!m_module)
        return;
    const bool planned = m_pages->currentIndex() == TdmKlientEdit1::Plans &&
                         m_module->taKliJargmKontaktid()->isActive() && !m_module->taKliJargmKontaktid()->isEmpty();
    m_module->RecordContact(planned);
}

void TfKlientEdit::bPlaneeriKontaktClick()
{
    if (!m_module || AskSave() == SaveAnswer::Cancel)
        return;
    m_module->PlanContact();
}

void TfKlientEdit::bPrintFirmaKaartClick()
{
    if (m_module)
        m_module->PrintCard();
}

void TfKlientEdit::bSendEMailClick()
{
    if (!m_module || AskSave() == SaveAnswer::Cancel)
        return;
    m_module->SendEMail(personChosen(), m_attachDocument->isChecked());
}

void TfKlientEdit::bMakeCallClick()
{
    if (!m_module)
        return;
    const bool person = personChosen();
    TDBGrid *persons = m_grids.value(TdmKlientEdit1::Main);
    const data::Field *column = persons ? persons->selectedField() : nullptr;
    const bool personSecond = column && column->fieldName() == QLatin1String("KONTAKTISIKTEL2");
    const bool clientSecond = m_phone2 && m_phone2->hasFocus();
    if (AskSave() == SaveAnswer::Cancel)
        return;
    m_module->Dial(person, personSecond, clientSecond);
}

void TfKlientEdit::bAvaDokumentClick()
{
    if (m_module)
        m_module->OpenCurrentDocument();
}

void TfKlientEdit::bAvaEmafirmaClick()
{
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (m_module && main && m_module->MotherCompany() > 0)
        main->OpenClientCard(m_module->MotherCompany(), 0);
}

void TfKlientEdit::DocumentInsert()
{
    if (m_module)
        m_module->InsertDocument();
}

void TfKlientEdit::GridButtonClick(int page, const QString &fieldName)
{
    TDBGrid *grid = m_grids.value(page);
    if (!m_module || !grid || !grid->dataSet())
        return;
    if (page == TdmKlientEdit1::Documents &&
        fieldName.compare(QLatin1String("KLIDOKFILENAME"), Qt::CaseInsensitive) == 0)
        m_module->ChooseDocumentFile();
    else
        context().data->PickByFieldName(grid->dataSet()->field(fieldName));
}
