#include "TfTooteGrupid.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEdit.h"
#include "ui/TDBGrid.h"
#include "ui/TDBMemo.h"
#include "ui/THDBNavigator.h"
#include "ui/THDBTitleLabel.h"

TfTooteGrupid::TfTooteGrupid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_id(new TDBEdit(Panel2()))
    , m_name(new TDBEdit(Panel2()))
    , m_title(new TDBEdit(Panel2()))
    , m_comment(new TDBMemo(Panel2()))
    , m_specs(new TDBGrid(Panel2()))
    , m_specNavigator(new THDBNavigator(Panel2()))
{
    setObjectName(QStringLiteral("fTooteGrupid"));
    setWindowTitle(Translate(QStringLiteral("Tootegrupid")));
    data::DataSet *groups = context.data ? context.data->dataSet(QStringLiteral("taTooteGrupid")) : nullptr;
    data::DataSet *specs = context.data ? context.data->dataSet(QStringLiteral("taTooteLisa")) : nullptr;
    if (groups && specs) {
        for (auto [field, label] : {std::pair<const char *, const char *>{"TOOTEGRID", "TooteGrID"},
                                    {"TOOTEGRNIMI", "TooteGrupiNimi"},
                                    {"TOOTEGRKOMMENT", "Kommentaarid"},
                                    {"TOOTELISATIITEL", "Täpsustused"}})
            groups->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(label)));
        specs->defineField(QStringLiteral("TOOTELISANIMI")).setDisplayLabel(Translate(QStringLiteral("Nimetus")));
        specs->defineField(QStringLiteral("TOOTEGRID")).setVisible(false);
    }
    if (!setDataSet(specs ? groups : nullptr))
        return;
    // The further properties follow the group; they open with it.
    if (!specs->isActive())
        specs->open();

    m_id->setObjectName(QStringLiteral("edTooteGrId"));
    m_id->bind(DataSource1(), QStringLiteral("TOOTEGRID"), context.ui);
    m_name->setObjectName(QStringLiteral("edTooteGrNimi"));
    m_name->setMaxLength(60);
    m_name->bind(DataSource1(), QStringLiteral("TOOTEGRNIMI"), context.ui);
    m_title->setObjectName(QStringLiteral("edTooteLisaTiitel"));
    m_title->setMaxLength(20);
    m_title->bind(DataSource1(), QStringLiteral("TOOTELISATIITEL"), context.ui);
    m_comment->setObjectName(QStringLiteral("mTooteGrKomment"));
    m_comment->setMaximumHeight(90);
    m_comment->bind(DataSource1(), QStringLiteral("TOOTEGRKOMMENT"), context.ui);

    data::DataSource *specSource = context.data->dataSource(QStringLiteral("taTooteLisa"));
    m_specs->setObjectName(QStringLiteral("dbgTooteLisa"));
    m_specs->setDataSource(specSource);
    // The further properties are typed in the grid itself: one name per row.
    m_specs->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
    m_specs->horizontalHeader()->setStretchLastSection(true);
    m_specs->onError = [this](const std::exception &e) { reportError(e); };
    m_specNavigator->setObjectName(QStringLiteral("navTooteLisa"));
    m_specNavigator->bind(specSource, context.ui);
    m_specNavigator->setVisibleButtons(
        {THDBNavigator::Insert, THDBNavigator::Delete, THDBNavigator::Post, THDBNavigator::Cancel});
    m_specNavigator->setHints({QString(), QString(), QString(), QString(), Translate(QStringLiteral("Uus")),
                               Translate(QStringLiteral("Kustuta")), QString(), Translate(QStringLiteral("Salvesta")),
                               Translate(QStringLiteral("Jäta"))});
    // Saving or dropping the window's changes takes the further property being typed along.
    addEditedSource(specSource);

    auto *form = new QFormLayout();
    auto addRow = [&](QWidget *edit, const char *field, const char *caption) {
        QLabel *title;
        if (caption) {
            title = new QLabel(Translate(QString::fromUtf8(caption)), Panel2());
        } else {
            auto *t = new THDBTitleLabel(Panel2());
            t->bind(DataSource1(), QString::fromLatin1(field));
            title = t;
        }
        title->setBuddy(edit);
        form->addRow(title, edit);
    };
    addRow(m_id, "TOOTEGRID", nullptr);
    addRow(m_name, "TOOTEGRNIMI", nullptr);
    addRow(m_comment, "TOOTEGRKOMMENT", nullptr);
    addRow(m_title, "TOOTELISATIITEL", "Lisaomaduse nimetus:");
    auto *layout = new QVBoxLayout(Panel2());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    auto *specTitle = new QLabel(Translate(QStringLiteral("Lisaomadused:")), Panel2());
    specTitle->setBuddy(m_specs);
    layout->addWidget(specTitle);
    layout->addWidget(m_specNavigator, 0, Qt::AlignLeft);
    layout->addWidget(m_specs, 1);
}
