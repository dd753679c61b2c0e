#include "TfDataListForm1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "DateRange.h"
#include "PrintTable.h"
#include "SortByGridColumn.h"
#include "TDBGrid.h"
#include "TdlgSelectTableCols.h"
#include "THDBNavigator.h"
#include "TfQuickSearch.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "exchange/THDataTxtExport.h"

TfDataListForm1::TfDataListForm1(const WindowContext &context, QWidget *parent)
    : TfChildBtnBarForm01(context, parent), m_source(new data::DataSource(nullptr, this)), m_grid(new TDBGrid(this)),
      m_navigator(new THDBNavigator(buttonBar())), m_panFilter(new QWidget(this)), m_filterLayout(new QHBoxLayout(m_panFilter)),
      m_useFilter(new QCheckBox(m_panFilter)), m_filterPopup(new QMenu(this)), m_dateMenu(new QMenu(this))
{
    m_navigator->setObjectName(QStringLiteral("HDBNavigator1"));
    m_navigator->setVisibleButtons({THDBNavigator::First, THDBNavigator::Prior, THDBNavigator::Next, THDBNavigator::Last});
    m_navigator->setHints({Translate(QStringLiteral("Esimene")), Translate(QStringLiteral("Eelmine")),
                           Translate(QStringLiteral("Järgmine")), Translate(QStringLiteral("Viimane"))});
    buttonBar()->layout()->addWidget(m_navigator);

    // The menu, in the order the user knows; the first four go through the navigator.
    auto navigate = [this](int button) {
        return [this, button] {
            if (!isMinimized())
                m_navigator->click(button);
        };
    };
    addCommand(QStringLiteral("Esimenekirje1"), Translate(QStringLiteral("Esimene kirje")), navigate(THDBNavigator::First));
    addCommand(QStringLiteral("Eelminekirje1"), Translate(QStringLiteral("Eelmine kirje")), navigate(THDBNavigator::Prior));
    addCommand(QStringLiteral("Jrgminekirj1"), Translate(QStringLiteral("Järgmine kirje")), navigate(THDBNavigator::Next));
    addCommand(QStringLiteral("Viimanekirje1"), Translate(QStringLiteral("Viimane kirje")), navigate(THDBNavigator::Last));
    addCommand(QStringLiteral("Vrskenda1"), Translate(QStringLiteral("Värskenda")), [this] { RefreshData(); }, QKeySequence(),
               QStringLiteral("bRefreshData"));
    addCommand(QStringLiteral("Sorteeri2"), Translate(QStringLiteral("Sorteeri")), [this] { Sort(); },
               QKeySequence(QStringLiteral("Ctrl+S")), QStringLiteral("bSorteeri"));
    addCommand(QStringLiteral("Kehtestafilter1"), Translate(QStringLiteral("Kehtesta filtritingimused    Enter")),
               [this] { UpdateFilter(); }, QKeySequence(), QStringLiteral("bUpdateFilter"));
    m_filterMenuItem = addCommand(QStringLiteral("FilterLubatudMenuItem1"), Translate(QStringLiteral("Filter lubatud")), [this] {
        m_useFilter->setChecked(m_filterMenuItem->isChecked());
        UpdateFilter();
    });
    m_filterMenuItem->setCheckable(true);
    m_filterMenuItem->setChecked(true);
    addCommand(QStringLiteral("Nimekirjaeksporttekstifaililikelauale1"),
               Translate(QStringLiteral("Nimekirja eksport tekstifaili/lõikelauale")), [this] { ExportList(); });
    addCommand(QStringLiteral("Sulge1"), Translate(QStringLiteral("Sulge    Ctrl+F4")), [this] { close(); }, QKeySequence(),
               QStringLiteral("bClose"));

    // The filter panel across the top.
    m_panFilter->setObjectName(QStringLiteral("panFilter"));
    m_filterLayout->setContentsMargins(2, 2, 2, 2);
    auto *label = new QLabel(Translate(QStringLiteral("&Filter:")), m_panFilter);
    label->setBuddy(m_useFilter);
    m_useFilter->setObjectName(QStringLiteral("cbUseFilter"));
    m_useFilter->setToolTip(Translate(QStringLiteral("Filter sisse/välja")));
    m_useFilter->setChecked(true);
    m_filterLayout->addWidget(label);
    m_filterLayout->addWidget(m_useFilter);
    m_filterLayout->addStretch(1);
    connect(m_useFilter, &QCheckBox::clicked, this, [this](bool on) {
        m_filterMenuItem->setChecked(on);
        runCommand([this] { UpdateFilter(); });
    });
    mainLayout()->addWidget(m_panFilter);
    mainLayout()->addWidget(m_grid, 1);

    m_filterPopup->setObjectName(QStringLiteral("FilterLookupPopup1"));
    m_filterPopup->addAction(Translate(QStringLiteral("Kustuta")), this, [this] {
        if (m_popupOwner)
            runCommand([this] { ClearControl(m_popupOwner); });
    });
    m_filterPopup->addAction(Translate(QStringLiteral("Kehtesta filtritingimused")), this,
                             [this] { runCommand([this] { UpdateFilter(); }); });
    buildDateMenu();

    connect(m_grid, &TDBGrid::sortRequested, this, [this] { runCommand([this] { Sort(); }); });
    connect(m_grid, &TDBGrid::quickSearchRequested, this, [this](const QString &typed) {
        runCommand([this, &typed] { TfQuickSearch::open(m_grid, typed); });
    });
    connect(m_grid, &TDBGrid::popupRequested, this, [this](const QPoint &at) { windowMenu()->popup(at); });
    m_grid->onError = [this](const std::exception &e) { reportError(e); };
    resize(760, 480);
}

TfDataListForm1::~TfDataListForm1() = default;

void TfDataListForm1::setDataSet(data::DataSet *dataSet)
{
    m_source->setDataSet(dataSet);
    m_grid->setDataSource(m_source);
    m_navigator->bind(m_source, ui());
    addEditedSource(m_source);
    if (dataSet && !dataSet->isActive())
        dataSet->open();
}

data::DataSet *TfDataListForm1::dataSet() const
{
    return m_source->dataSet();
}

void TfDataListForm1::DisableFilter()
{
    m_useFilter->setChecked(false);
    m_filterMenuItem->setChecked(false);
    UpdateFilter();
}

void TfDataListForm1::UpdateFilter()
{
    // A change in progress is saved or dropped first: the rows are about to be read anew.
    if (AskSave() == SaveAnswer::Cancel)
        return;
    if (m_useFilter->isChecked())
        ApplyFilter();
    else if (data::DataSet *ds = dataSet())
        data::ApplyWhere(*ds, QString());
}

void TfDataListForm1::RefreshData()
{
    data::DataSet *ds = dataSet();
    if (!ds || !ds->isActive() || AskSave() == SaveAnswer::Cancel)
        return;
    data::ReopenDataSet(*ds);
}

void TfDataListForm1::Sort()
{
    if (isMinimized() || !dataSet() || AskSave() == SaveAnswer::Cancel)
        return;
    SortByGridColumn(*m_grid, ui());
}

void TfDataListForm1::addFilterControl(QWidget *control, const QString &label)
{
    if (!label.isEmpty()) {
        auto *l = new QLabel(label, m_panFilter);
        l->setBuddy(control);
        m_filterLayout->insertWidget(m_filterLayout->count() - 1, l);
    }
    m_filterLayout->insertWidget(m_filterLayout->count() - 1, control);
    watchFilterControl(control);
}

void TfDataListForm1::addFilterControls(const QList<QWidget *> &controls, QGridLayout *grid, int row, int column,
                                        const QString &label, int columnSpan)
{
    if (!label.isEmpty() && !controls.isEmpty()) {
        auto *l = new QLabel(label, m_panFilter);
        l->setBuddy(controls.first());
        grid->addWidget(l, row, column);
    }
    auto *cell = new QHBoxLayout;
    cell->setSpacing(2);
    for (QWidget *control : controls) {
        control->setParent(m_panFilter);
        cell->addWidget(control, 1);
        watchFilterControl(control);
    }
    grid->addLayout(cell, row, column + 1, 1, columnSpan);
}

void TfDataListForm1::watchFilterControl(QWidget *control)
{
    control->installEventFilter(this);
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this, [this, control](const QPoint &pos) {
        m_popupOwner = control;
        (control->property("dateFilter").toBool() ? m_dateMenu : m_filterPopup)->popup(control->mapToGlobal(pos));
    });
}

void TfDataListForm1::addDateFilterControl(QWidget *control, const QString &label)
{
    control->setProperty("dateFilter", true);
    addFilterControl(control, label);
}

bool TfDataListForm1::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::KeyPress && control && control->parentWidget() == m_panFilter) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            // In a drop-down whose list is open, Enter only closes the list.
            auto *combo = qobject_cast<QComboBox *>(control);
            if (!(combo && combo->view() && combo->view()->isVisible())) {
                runCommand([this] { UpdateFilter(); });
                return true;
            }
        } else if (plain && (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
                   && !qobject_cast<QLineEdit *>(control)) {
            runCommand([control] { ClearControl(control); });
            return true;
        }
    }
    return TfChildBtnBarForm01::eventFilter(watched, event);
}

void TfDataListForm1::buildDateMenu()
{
    m_dateMenu->setObjectName(QStringLiteral("popKuupValik"));
    struct Item
    {
        const char *name;
        const char *caption;
        int tag;
    };
    static const Item items[] = {
        {"nmuAktiivnePaev1", "Täna", 1},           {"nmuAktiivnendal1", "Aktiivne nädal", 7},
        {"nmuAktiivnekuu1", "Aktiivne kuu", 31},    {"mnuAktiivneaasta1", "Aktiivne aasta", 356},
        {"Homme1", "Homme", 2},                     {"Jrgminendal1", "Järgmine nädal", 8},
        {"Jrgminekuu1", "Järgmine kuu", 32},        {"Jrgmineaasta1", "Järgmine aasta", 357},
        {"mnuKuupNitakiki1", "Näita kõiki", 0},
    };
    int i = 0;
    for (const Item &item : items) {
        if (i == 4 || i == 8)
            m_dateMenu->addSeparator();
        QAction *a = m_dateMenu->addAction(Translate(QString::fromUtf8(item.caption)));
        a->setObjectName(QString::fromLatin1(item.name));
        a->setData(item.tag);
        connect(a, &QAction::triggered, this, [this, tag = item.tag] { runCommand([this, tag] { dateRangeChosen(tag); }); });
        ++i;
    }
    m_dateMenu->addAction(Translate(QStringLiteral("Kustuta")), this, [this] {
        if (m_popupOwner)
            runCommand([this] { ClearControl(m_popupOwner); });
    })->setObjectName(QStringLiteral("mnuKuupKustuta1"));
    m_dateMenu->addAction(Translate(QStringLiteral("Kehtesta filtritingimused")), this, [this] {
        runCommand([this] { UpdateFilter(); });
    })->setObjectName(QStringLiteral("mnuKuupKehtesta1"));
}

QAction *TfDataListForm1::addDateRangeItem(const QString &objectName, const QString &caption, int tag)
{
    QAction *a = m_dateMenu->addAction(caption);
    a->setObjectName(objectName);
    a->setData(tag);
    connect(a, &QAction::triggered, this, [this, tag] { runCommand([this, tag] { dateRangeChosen(tag); }); });
    return a;
}

void TfDataListForm1::dateRangeChosen(int tag)
{
    const auto [from, to] = DateRangeForTag(tag, QDate::currentDate());
    SetDateRange(from, to);
}

void TfDataListForm1::ExportList()
{
    data::DataSet *ds = dataSet();
    if (!ds)
        return;
    if (!context().data || context().data->session().Level < 3) {
        if (ui())
            ui()->showMessage(Translate(QStringLiteral("Antud toimingu jaoks kasutajanivoo liiga madal !")),
                              windowTitle() + QStringLiteral(": ") + Translate(QStringLiteral("eksport tekstifaili")));
        return;
    }
    TdlgSelectTableCols columns(window(), Translate(QStringLiteral("Kopeeri lõikelauale")), &m_exportToClipboard,
                                m_exportColumns, ds,
                                windowTitle() + QStringLiteral(" - ") + Translate(QStringLiteral("Eksporditavate veergude valik")));
    if (columns.exec() != QDialog::Accepted)
        return;
    THDataTxtExport exporter;
    exporter.useProgramSettings();
    exporter.setUserInterface(ui());
    exporter.setToClipBoard(m_exportToClipboard);
    if (!m_exportToClipboard) {
        QString fileName = QStringLiteral("velkora1export.txt");
        if (!ui() || !ui()->askSaveFileName(Translate(QStringLiteral("Salvesta")),
                                            QStringLiteral("*.txt (*.txt);;All Files (*)"), QStringLiteral("txt"), fileName))
            return;
        exporter.setDestFileName(fileName);
    }
    exporter.setSource(ds);
    // The chosen fields themselves, so that two columns of one caption each give their own values.
    exporter.setFieldColumns(m_exportColumns);
    data::WaitCursor wait(ui());
    exporter.Execute();
}

void TfDataListForm1::PrintList()
{
    data::DataSet *ds = dataSet();
    if (!ds)
        return;
    TdlgSelectTableCols columns(window(), QString(), nullptr, m_printColumns, ds,
                                windowTitle() + QStringLiteral(" - ") + Translate(QStringLiteral("Trükitavate veergude valik")));
    if (columns.exec() != QDialog::Accepted)
        return;
    PrintTable(ds, windowTitle(), m_printColumns, true, QApplication::applicationDisplayName(), true, {}, {}, false,
               FilterDescription(), window());
}
