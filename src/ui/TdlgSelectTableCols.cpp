#include "TdlgSelectTableCols.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/DataSet.h"
#include "data/Translate.h"

TdlgSelectTableCols::TdlgSelectTableCols(QWidget *owner, const QString &flagCaption, bool *flag, QStringList &columns,
                                         data::DataSet *dataSet, const QString &caption)
    : QDialog(owner)
    , m_flag(flag)
    , m_columns(columns)
    , m_dataSet(dataSet)
{
    setWindowTitle(caption);
    setModal(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("liAllFields"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);
    m_flagBox = new QCheckBox(flagCaption, this);
    m_flagBox->setObjectName(QStringLiteral("cbAdditionalFlag1"));
    m_flagBox->setVisible(m_flag != nullptr);
    m_ok = new QPushButton(Translate(QStringLiteral("&OK")), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Translate(QStringLiteral("&Cancel")), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(m_ok, &QPushButton::clicked, this, &TdlgSelectTableCols::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TdlgSelectTableCols::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_flagBox);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(360, 420);
}

TdlgSelectTableCols::~TdlgSelectTableCols() = default;

void TdlgSelectTableCols::fill()
{
    m_list->clear();
    m_shownFields.clear();
    for (int i = 0; i < m_dataSet->fieldCount(); ++i) {
        const data::Field &f = m_dataSet->fieldAt(i);
        if (!f.isVisible())
            continue;
        auto *item = new QListWidgetItem(f.displayLabel(), m_list);
        // The tick is the list's own state image; clicks toggle it, not the item's check box.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool chosen = m_columns.contains(f.fieldName(), Qt::CaseInsensitive);
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
        m_shownFields << f.fieldName();
    }
    if (m_flag)
        m_flagBox->setChecked(*m_flag);
}

void TdlgSelectTableCols::showEvent(QShowEvent *event)
{
    // Coming back from a minimised application is not a new showing.
    if (!event->spontaneous())
        fill();
    QDialog::showEvent(event);
}

void TdlgSelectTableCols::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized() && parentWidget())
        parentWidget()->window()->showMinimized();
    QDialog::changeEvent(event);
}

void TdlgSelectTableCols::toggle(int row)
{
    QListWidgetItem *item = m_list->item(row);
    if (item)
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool TdlgSelectTableCols::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(event);
        const Qt::KeyboardModifiers held =
            me->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (me->button() == Qt::LeftButton && held == Qt::NoModifier) {
            const QModelIndex index = m_list->indexAt(me->position().toPoint());
            if (index.isValid())
                toggle(index.row());
        }
    } else if (watched == m_list && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        for (QListWidgetItem *item : m_list->selectedItems())
            toggle(m_list->row(item));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgSelectTableCols::accept()
{
    QStringList chosen;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            chosen << m_shownFields.at(i);
    m_columns = chosen;
    if (m_flag)
        *m_flag = m_flagBox->isChecked();
    QDialog::accept();
}
