#include "TfAgendid.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "data/FieldText.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "ui/DataSetModel.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBGrid.h"
#include "ui/TEditBtn.h"
#include "ui/THDBNavigator.h"
#include "ui/TdlgCalendar.h"

namespace {

bool isDateField(const data::DataSet *ds, int fieldIndex)
{
    return ds && fieldIndex >= 0 && ds->fieldAt(fieldIndex).dataType() == fb::FieldKind::Date;
}

// Date cells of the history grids are edited in an edit with a "..." that opens the calendar.
class HistoryDateDelegate : public QStyledItemDelegate
{
public:
    HistoryDateDelegate(TDBGrid *grid, TfAgendid *window)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
        , m_window(window)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        DataSetModel *model = m_grid->dataModel();
        if (!model || !isDateField(model->dataSet(), model->fieldIndex(index.column())))
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *editor = new TEditBtn(parent);
        editor->setObjectName(QStringLiteral("edHistoryDate"));
        QObject::connect(editor, &TEditBtn::OnBtnClick, m_window,
                         [grid = m_grid, window = m_window] { window->HistoryDateBtnClick(grid); });
        return editor;
    }

private:
    TDBGrid *m_grid;
    TfAgendid *m_window;
};

} // namespace

TfAgendid::TfAgendid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
{
    setObjectName(QStringLiteral("fAgendid"));
    setWindowTitle(Translate(QStringLiteral("Agendid")));
    data::TData1 *module = context.data;
    data::DataSet *agents = module ? module->dataSet(QStringLiteral("taAgendid")) : nullptr;
    data::DataSet *salary = module ? module->dataSet(QStringLiteral("taAgPohiPalk")) : nullptr;
    data::DataSet *turnover = module ? module->dataSet(QStringLiteral("taAgMyygiKaivePer")) : nullptr;
    if (agents && salary && turnover) {
        for (const auto &[field, label] : {std::pair<const char *, const char *>{"AGENTKOOD", "Kood"},
                                           {"AGEESNIMI", "EesNimi"},
                                           {"AGPERENIMI", "PerekonnaNimi"},
                                           {"AGTEL", "Telefon"},
                                           {"AGFAX", "Fax"},
                                           {"AGEMAIL", "Email"},
                                           {"AGENTAKTIIVNE", "AgentAktiivne"},
                                           {"AGAADRESS", "Aadress"},
                                           {"AGISIKUKOOD", "IsikuKood"},
                                           {"LINNVALDNIMI", "LinnVald"},
                                           {"OSAKOND", "Osakond"},
                                           {"MEIELIIN1", "MeieLiin1"},
                                           {"MEIELIIN2", "MeieLiin2"},
                                           {"AGKOGUNIMI", "Kogunimi"}})
            agents->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromLatin1(label)));
        for (const char *hidden : {"LINNVALDKOOD", "RIIKID", "AGKOGUNIMI"})
            agents->defineField(QString::fromLatin1(hidden)).setVisible(false);
        salary->defineField(QStringLiteral("PALGUSKUUP"))
            .setDisplayLabel(Translate(QStringLiteral("AlatesKuupäevast")));
        salary->defineField(QStringLiteral("POHIPALK")).setDisplayLabel(Translate(QStringLiteral("Põhipalk")));
        turnover->defineField(QStringLiteral("PERALGUS")).setDisplayLabel(Translate(QStringLiteral("Perioodialgus")));
        turnover->defineField(QStringLiteral("PERLOPP")).setDisplayLabel(Translate(QStringLiteral("Perioodilõpp")));
        turnover->defineField(QStringLiteral("MYYGIKAIVE")).setDisplayLabel(Translate(QStringLiteral("Müügikäive")));
        for (data::DataSet *history : {salary, turnover})
            history->defineField(QStringLiteral("AGENTKOOD")).setVisible(false);
        // The columns are narrower than their titles.
        for (data::Field *f :
             {&salary->defineField(QStringLiteral("PALGUSKUUP")), &turnover->defineField(QStringLiteral("PERALGUS")),
              &turnover->defineField(QStringLiteral("PERLOPP"))})
            f->setDisplayWidth(static_cast<int>(f->displayLabel().size()) + 1);
        // Money shows with two decimals; typing takes any.
        for (data::Field *amount :
             {&salary->defineField(QStringLiteral("POHIPALK")), &turnover->defineField(QStringLiteral("MYYGIKAIVE"))})
            amount->onGetText = [](const data::Field &f, bool forDisplay) {
                if (f.isNull())
                    return QString();
                return forDisplay ? QString::number(f.asDouble(), 'f', 2)
                                  : data::FieldText::toText(f.dataType(), f.value(), f.scale());
            };
    }
    // The place list of the picker shows the places as their own window names them.
    if (data::DataSet *places = module ? module->dataSet(QStringLiteral("taLinnadValladL")) : nullptr) {
        places->defineField(QStringLiteral("LINNVALDKOOD")).setDisplayLabel(Translate(QStringLiteral("LinnValdKood")));
        places->defineField(QStringLiteral("LINNVALDNIMI")).setDisplayLabel(Translate(QStringLiteral("LinnValdNimi")));
        places->defineField(QStringLiteral("RIIKID")).setDisplayLabel(Translate(QStringLiteral("RiikID")));
    }
    if (!setDataSet(agents && salary && turnover ? agents : nullptr))
        return;
    for (data::DataSet *history : {salary, turnover})
        if (!history->isActive())
            history->open();

    auto *form = new QFormLayout(Panel2());
    auto addEdit = [&](const char *field, const char *name, int length, const char *caption = nullptr) {
        auto *e = new TDBEdit(Panel2());
        e->setObjectName(QString::fromLatin1(name));
        if (length > 0)
            e->setMaxLength(length);
        e->bind(DataSource1(), QString::fromLatin1(field), context.ui);
        AddRecordRow(form, DataSource1(), field, e, caption ? Translate(QString::fromUtf8(caption)) : QString());
        m_edits << e;
    };
    addEdit("AGENTKOOD", "edKood", 0);
    addEdit("AGEESNIMI", "edEesNimi", 30);
    addEdit("AGPERENIMI", "edPerekonnaNimi", 30);
    addEdit("AGTEL", "edTelefon", 20);
    addEdit("AGFAX", "edFax", 20);
    addEdit("AGEMAIL", "edEmail", 50, "E-mail");
    addEdit("AGAADRESS", "edAadress", 60);
    m_place = new TDBEditBtn(Panel2());
    m_place->setObjectName(QStringLiteral("edLinnVald"));
    m_place->bind(DataSource1(), QStringLiteral("LINNVALDNIMI"), context.ui);
    m_place->installEventFilter(this);
    AddRecordRow(form, DataSource1(), "LINNVALDNIMI", m_place);
    m_edits << m_place;
    addEdit("AGISIKUKOOD", "edIsikuKood", 20);
    addEdit("OSAKOND", "edOsakond", 30);
    m_active = new TDBCheckBox(Translate(QStringLiteral("Agent aktiivne")), Panel2());
    m_active->setObjectName(QStringLiteral("cbAgentAktiivne"));
    m_active->bind(DataSource1(), QStringLiteral("AGENTAKTIIVNE"), context.ui);
    form->addRow(QString(), m_active);
    addEdit("MEIELIIN1", "edMeieLiin1", 20);
    addEdit("MEIELIIN2", "edMeieLiin2", 20);
    connect(m_place, &TDBEditBtn::OnBtnClick, this, [this] { runCommand([this] { edLinnValdBtnClick(); }); });

    APageControl1()->addTab(
        historyPage(QStringLiteral("taAgPohiPalk"), QStringLiteral("tasPohiPalk"), m_salaryGrid, m_salaryNavigator),
        Translate(QStringLiteral("&Põhipalk")));
    APageControl1()->addTab(historyPage(QStringLiteral("taAgMyygiKaivePer"), QStringLiteral("tasMyygiKaive"),
                                        m_turnoverGrid, m_turnoverNavigator),
                            Translate(QStringLiteral("Müügikä&ive")));
    resize(720, 460);
}

QWidget *TfAgendid::historyPage(const QString &dataSetName, const QString &objectName, TDBGrid *&grid,
                                THDBNavigator *&navigator)
{
    data::DataSource *source = context().data->dataSource(dataSetName);
    auto *page = new QWidget();
    page->setObjectName(objectName);
    auto *layout = new QVBoxLayout(page);
    navigator = new THDBNavigator(page);
    navigator->setObjectName(QStringLiteral("nav") + objectName.mid(3));
    navigator->setHints({Translate(QStringLiteral("Esimene")), Translate(QStringLiteral("Eelmine")),
                         Translate(QStringLiteral("Järgmine")), Translate(QStringLiteral("Viimane")),
                         Translate(QStringLiteral("Uus")), Translate(QStringLiteral("Kustuta")),
                         Translate(QStringLiteral("Muuda")), Translate(QStringLiteral("Salvesta")),
                         Translate(QStringLiteral("Jäta")), Translate(QStringLiteral("Värskenda"))});
    navigator->bind(source, ui());
    layout->addWidget(navigator, 0, Qt::AlignLeft);
    grid = new TDBGrid(page);
    grid->setObjectName(QStringLiteral("gr") + objectName.mid(3));
    grid->setDataSource(source);
    // History rows are typed in the grid itself.
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::SelectedClicked);
    grid->setItemDelegate(new HistoryDateDelegate(grid, this));
    grid->onError = [this](const std::exception &e) { reportError(e); };
    if (DataSetModel *model = grid->dataModel())
        connect(model, &DataSetModel::editRefused, this, [this](const QString &message) {
            if (ui())
                ui()->showMessage(message, windowTitle());
        });
    layout->addWidget(grid, 1);
    addEditedSource(source);
    return page;
}

TDBEdit *TfAgendid::edit(const QString &fieldName) const
{
    for (TDBEdit *e : m_edits)
        if (e->link().fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return e;
    return nullptr;
}

void TfAgendid::edLinnValdBtnClick()
{
    data::DataSet *places = context().data->dataSet(QStringLiteral("taLinnadValladL"));
    data::DataSet *agent = dataSet();
    if (!places || !agent || !ui())
        return;
    if (!places->isActive())
        places->open();
    data::RecordChoice choice;
    choice.caption = Translate(QStringLiteral("Linna-valla valik"));
    choice.dataSet = places;
    choice.keyField = QStringLiteral("LINNVALDKOOD");
    choice.currentKey = agent->isEmpty() && !agent->isEditing() ? QString() : agent->field("LINNVALDKOOD").text();
    QString key;
    if (!ui()->selectRecord(choice, key) || key.isEmpty())
        return;
    const QVariant code = places->field("LINNVALDKOOD").value();
    const QVariant name = places->field("LINNVALDNIMI").value();
    const QVariant country = places->field("RIIKID").value();
    if (!m_place->link().edit())
        return;
    m_place->link().guard([agent, &code, &name, &country] {
        agent->field("LINNVALDKOOD").setValue(code);
        agent->field("LINNVALDNIMI").setValue(name);
        agent->field("RIIKID").setValue(country);
    });
}

void TfAgendid::HistoryDateBtnClick(TDBGrid *grid)
{
    DataSetModel *model = grid ? grid->dataModel() : nullptr;
    data::DataSet *ds = grid ? grid->dataSet() : nullptr;
    const QModelIndex index = grid ? grid->currentIndex() : QModelIndex();
    if (!model || !ds || !index.isValid() || !isDateField(ds, model->fieldIndex(index.column())))
        return;
    data::Field &field = ds->fieldAt(model->fieldIndex(index.column()));
    QDate date = ds->isEmpty() && !ds->isEditing() ? QDate() : field.asDate();
    if (!TdlgCalendar::Run(this, context().data->KalenderText, date,
                           [this](const QDate &d) { return context().data->IsHoliday(d); }))
        return;
    const QString fieldName = field.fieldName();
    if (!runCommand([ds, &fieldName, &date] {
            if (!ds->isEditing())
                ds->edit();
            ds->field(fieldName).setValue(date);
        }))
        return;
    // An edit open on the cell would write its old text back when it closes.
    if (auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(index)))
        editor->setText(ds->field(fieldName).text(false));
}

bool TfAgendid::eventFilter(QObject *watched, QEvent *event)
{
    // Backspace or Delete in the place clears the place and its code together.
    if (watched == m_place && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (plain && (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)) {
            if (m_place->link().edit())
                m_place->link().setText(QString());
            return true;
        }
    }
    return TfLk2Vorm01::eventFilter(watched, event);
}
