#include "TfLk2Vorm01.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "DataSetModel.h"
#include "SortByGridColumn.h"
#include "TDBCheckBox.h"
#include "TDBEdit.h"
#include "TDBGrid.h"
#include "TDBLookupComboBox.h"
#include "TDBMemo.h"
#include "TDBValComboBox.h"
#include "THDBNavigator.h"
#include "TfQuickSearch.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "data/FilterBuilder.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

TfLk2Vorm01::TfLk2Vorm01(const WindowContext &context, QWidget *parent)
    : TfChildBtnBarForm01(context, parent), m_source(new data::DataSource(nullptr, this)),
      m_navigator(new THDBNavigator(buttonBar())), m_pages(new QTabWidget(this)), m_grid(new TDBGrid()),
      m_panel(new QWidget())
{
    m_navigator->setObjectName(QStringLiteral("HDBNavigator0"));
    m_navigator->setHints({Translate(QStringLiteral("Esimene")), Translate(QStringLiteral("Eelmine")),
                           Translate(QStringLiteral("Järgmine")), Translate(QStringLiteral("Viimane")),
                           Translate(QStringLiteral("Uus Alt+U")), Translate(QStringLiteral("Kustuta Alt+K ")),
                           Translate(QStringLiteral("Muuda Alt+M")), Translate(QStringLiteral("Salvesta Alt+S")),
                           Translate(QStringLiteral("Jäta Alt+J")), Translate(QStringLiteral("Värskenda"))});
    // Refresh reads the rows anew rather than the current row only.
    m_navigator->BeforeClickAction = [this](THDBNavigator &, int button, bool &proceed) {
        if (button != THDBNavigator::Refresh)
            return;
        proceed = false;
        if (dataSet() && dataSet()->isActive() && AskSave() != SaveAnswer::Cancel)
            data::ReopenDataSet(*dataSet());
    };
    buttonBar()->layout()->addWidget(m_navigator);

    struct Nav
    {
        const char *name;
        const char *caption;
        const char *shortcut;
    };
    static const Nav items[] = {{"Esimenekirje1", "Esimene kirje", ""}, {"Eelminekirje1", "Eelmine kirje", ""},
                                {"Jrgminekirj1", "Järgmine kirje", ""}, {"Viimanekirje1", "Viimane kirje", ""},
                                {"Uuskirje1", "Uus kirje", "Alt+U"},    {"Kustutakirje1", "Kustuta kirje", "Alt+K"},
                                {"Muudakirjet1", "Muuda kirjet", "Alt+M"}, {"Salvesta1", "Salvesta ", "Alt+S"},
                                {"Jta1", "Jäta", "Alt+J"},             {"Vrskenda1", "Värskenda", ""}};
    for (int i = 0; i < THDBNavigator::ButtonCount; ++i) {
        addCommand(QString::fromLatin1(items[i].name), Translate(QString::fromUtf8(items[i].caption)),
                   [this, i] {
                       if (!isMinimized())
                           m_navigator->click(i);
                   },
                   QKeySequence(QString::fromLatin1(items[i].shortcut)));
    }
    windowMenu()->addSeparator();
    QAction *sort = addCommand(QStringLiteral("Sorteeri2"), Translate(QStringLiteral("Sorteeri")), [this] { Sort(); },
                               QKeySequence(QStringLiteral("Ctrl+S")));
    windowMenu()->addSeparator();
    QAction *copy = addCommand(QStringLiteral("Koopia1"), Translate(QStringLiteral("Koopia")), [this] { CopyRecord(); },
                               QKeySequence(QStringLiteral("Alt+O")));
    windowMenu()->addSeparator();
    QAction *close = addCommand(QStringLiteral("Sulge1"), Translate(QStringLiteral("Sulge    Ctrl+F4")), [this] { this->close(); });

    // The filter button belongs to the windows with a filter panel; here it stays hidden.
    m_updateFilter = new QToolButton(buttonBar());
    m_updateFilter->setObjectName(QStringLiteral("bUpdateFilter"));
    m_updateFilter->hide();
    buttonBar()->layout()->addWidget(m_updateFilter);
    addBarButton(sort, QStringLiteral("bSorteeri"));
    m_copyButton = addBarButton(copy, QStringLiteral("bKoopia"));
    addBarButton(close, QStringLiteral("bClose"));

    m_pages->setObjectName(QStringLiteral("APageControl1"));
    auto *listPage = new QWidget();
    listPage->setObjectName(QStringLiteral("tasArved"));
    auto *listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_grid->setObjectName(QStringLiteral("DBGrid2"));
    listLayout->addWidget(m_grid);
    m_pages->addTab(listPage, Translate(QStringLiteral("&Loend")));
    auto *recordPage = new QWidget();
    recordPage->setObjectName(QStringLiteral("tasArveDetail"));
    auto *recordLayout = new QVBoxLayout(recordPage);
    m_panel->setObjectName(QStringLiteral("Panel2"));
    recordLayout->addWidget(m_panel);
    recordLayout->addStretch(1);
    m_pages->addTab(recordPage, Translate(QStringLiteral("Kirj&e")));
    mainLayout()->addWidget(m_pages, 1);

    connect(m_grid, &TDBGrid::sortRequested, this, [this] { runCommand([this] { Sort(); }); });
    connect(m_grid, &TDBGrid::popupRequested, this, [this](const QPoint &at) { windowMenu()->popup(at); });
    connect(m_grid, &TDBGrid::quickSearchRequested, this, [this](const QString &typed) {
        runCommand([this, &typed] { TfQuickSearch::open(m_grid, typed); });
    });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        const int f = index.isValid() && m_grid->dataModel() ? m_grid->dataModel()->fieldIndex(index.column()) : -1;
        if (f >= 0 && dataSet())
            FocusFieldControl(dataSet()->fieldAt(f).fieldName());
        else
            m_pages->setCurrentIndex(1);
    });
    m_grid->onError = [this](const std::exception &e) { reportError(e); };
    resize(640, 420);
}

bool TfLk2Vorm01::setDataSet(data::DataSet *dataSet)
{
    if (!dataSet) {
        if (ui())
            ui()->showMessage(Translate(QStringLiteral("Sisemine viga, palun andke teada programmi tootjale")), windowTitle());
        QTimer::singleShot(0, this, [this] { close(); });
        return false;
    }
    m_source->setDataSet(dataSet);
    m_grid->setDataSource(m_source);
    m_navigator->bind(m_source, ui());
    addEditedSource(m_source);
    connect(dataSet, &data::DataSet::stateChanged, this, &TfLk2Vorm01::stateChanged);
    if (!dataSet->isActive())
        dataSet->open();
    return true;
}

data::DataSet *TfLk2Vorm01::dataSet() const
{
    return m_source->dataSet();
}

void TfLk2Vorm01::stateChanged()
{
    data::DataSet *ds = dataSet();
    if (!ds)
        return;
    const int state = static_cast<int>(ds->state());
    if (state == m_lastState)
        return;
    m_lastState = state;
    if (ds->isEditing() && m_pages->currentIndex() == 0)
        m_pages->setCurrentIndex(1);
    if (ds->state() == data::DataSet::State::Insert && m_grid->dataModel()) {
        // The first column as a rule shows a generated key: the second column's field is typed first.
        DataSetModel *model = m_grid->dataModel();
        const int column = model->columnCount() > 1 ? 1 : 0;
        const int f = model->fieldIndex(column);
        if (f >= 0)
            FocusFieldControl(ds->fieldAt(f).fieldName());
    }
}

QString TfLk2Vorm01::boundField(const QWidget *control)
{
    auto *w = const_cast<QWidget *>(control);
    if (auto *e = qobject_cast<TDBEdit *>(w))
        return e->link().fieldName();
    if (auto *m = qobject_cast<TDBMemo *>(w))
        return m->link().fieldName();
    if (auto *c = qobject_cast<TDBCheckBox *>(w))
        return c->link().fieldName();
    if (auto *v = qobject_cast<TDBValComboBox *>(w))
        return v->link().fieldName();
    if (auto *l = qobject_cast<TDBLookupComboBox *>(w))
        return l->link().fieldName();
    return QString();
}

void TfLk2Vorm01::FocusFieldControl(const QString &fieldName)
{
    for (int page = 1; page < m_pages->count(); ++page) {
        const QList<QWidget *> controls = m_pages->widget(page)->findChildren<QWidget *>();
        for (QWidget *c : controls) {
            if (boundField(c).compare(fieldName, Qt::CaseInsensitive) != 0)
                continue;
            m_pages->setCurrentIndex(page);
            if (c->isEnabled() && c->focusPolicy() != Qt::NoFocus)
                c->setFocus();
            return;
        }
    }
    m_pages->setCurrentIndex(1);
}

void TfLk2Vorm01::Sort()
{
    if (isMinimized() || !dataSet() || AskSave() == SaveAnswer::Cancel)
        return;
    SortByGridColumn(*m_grid, ui());
}

void TfLk2Vorm01::CopyRecord()
{
    const SaveAnswer answer = AskSave();
    if (answer == SaveAnswer::Cancel || answer == SaveAnswer::Discarded)
        return;
    if (m_copyButton->isHidden() || !m_copyButton->isEnabled())
        return;
    data::DataSet *ds = dataSet();
    if (!ds || !ds->isActive() || ds->isEmpty())
        return;
    const QString generated = ds->generatorField();
    std::vector<std::pair<QString, QVariant>> kept;
    for (int i = 0; i < ds->fieldCount() && kept.size() < 255; ++i) {
        const data::Field &f = ds->fieldAt(i);
        if (f.isNull())
            continue;
        kept.emplace_back(f.fieldName(), f.value());
    }
    ds->insert();
    for (const auto &[name, value] : kept) {
        data::Field &f = ds->field(name);
        if (name.compare(generated, Qt::CaseInsensitive) == 0 || f.isReadOnly())
            continue;
        if (f.kind() == data::Field::Kind::Data || f.kind() == data::Field::Kind::Calculated)
            f.setValue(value);
    }
    m_pages->setCurrentIndex(1);
}

void TfLk2Vorm01::closeEvent(QCloseEvent *event)
{
    if (!dataSet()) {
        event->accept();
        return;
    }
    TfChildBtnBarForm01::closeEvent(event);
}
