#include "TfLk2FilterVorm1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "TDBGrid.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/Translate.h"

TfLk2FilterVorm1::TfLk2FilterVorm1(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent), m_panFilter(new QWidget()), m_filterLayout(new QHBoxLayout(m_panFilter)),
      m_useFilter(new QCheckBox(m_panFilter))
{
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
    // The panel stands on the list tab, above the grid.
    static_cast<QVBoxLayout *>(APageControl1()->widget(0)->layout())->insertWidget(0, m_panFilter);

    QAction *apply = new QAction(Translate(QStringLiteral("Kehtesta filtritingimused    Enter")), this);
    apply->setObjectName(QStringLiteral("Kehtestafilter1"));
    connect(apply, &QAction::triggered, this, [this] { runCommand([this] { UpdateFilter(); }); });
    m_filterMenuItem = new QAction(Translate(QStringLiteral("Filter lubatud")), this);
    m_filterMenuItem->setObjectName(QStringLiteral("FilterLubatudMenuItem1"));
    m_filterMenuItem->setCheckable(true);
    m_filterMenuItem->setChecked(true);
    connect(m_filterMenuItem, &QAction::triggered, this, [this](bool on) {
        m_useFilter->setChecked(on);
        runCommand([this] { UpdateFilter(); });
    });
    // Both come before the separator that precedes "Sulge".
    const QList<QAction *> actions = windowMenu()->actions();
    QAction *before = actions.size() >= 2 ? actions.at(actions.size() - 2) : nullptr;
    windowMenu()->insertAction(before, apply);
    windowMenu()->insertAction(before, m_filterMenuItem);
    updateFilterButton()->setDefaultAction(apply);
    // The button shows the caption; the key that does the same is in its hint.
    updateFilterButton()->setText(Translate(QStringLiteral("Kehtesta filtritingimused")));
    updateFilterButton()->setToolTip(apply->text().simplified());
    updateFilterButton()->setToolButtonStyle(Qt::ToolButtonTextOnly);
    updateFilterButton()->setAutoRaise(true);
    updateFilterButton()->show();
    connect(m_useFilter, &QCheckBox::clicked, this, [this](bool on) {
        m_filterMenuItem->setChecked(on);
        runCommand([this] { UpdateFilter(); });
    });
}

void TfLk2FilterVorm1::DisableFilter()
{
    m_useFilter->setChecked(false);
    m_filterMenuItem->setChecked(false);
    UpdateFilter();
}

void TfLk2FilterVorm1::UpdateFilter()
{
    if (AskSave() == SaveAnswer::Cancel)
        return;
    if (m_useFilter->isChecked())
        ApplyFilter();
    else if (data::DataSet *ds = dataSet())
        data::ApplyWhere(*ds, QString());
}

void TfLk2FilterVorm1::addFilterControl(QWidget *control, const QString &label)
{
    if (!label.isEmpty()) {
        auto *l = new QLabel(label, m_panFilter);
        l->setBuddy(control);
        m_filterLayout->insertWidget(m_filterLayout->count() - 1, l);
    }
    control->setParent(m_panFilter);
    m_filterLayout->insertWidget(m_filterLayout->count() - 1, control);
    control->installEventFilter(this);
}

bool TfLk2FilterVorm1::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::KeyPress && control && control->parentWidget() == m_panFilter) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        auto *combo = qobject_cast<QComboBox *>(control);
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(combo && combo->view() && combo->view()->isVisible())) {
            runCommand([this] { UpdateFilter(); });
            return true;
        }
    }
    return TfLk2Vorm01::eventFilter(watched, event);
}
