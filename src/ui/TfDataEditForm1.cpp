#include "TfDataEditForm1.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

TfDataEditForm1::TfDataEditForm1(const WindowContext &context, QWidget *parent)
    : TfChildBtnBarForm01(context, parent), m_source(new data::DataSource(nullptr, this)), m_panData(new QWidget(this))
{
    m_panData->setObjectName(QStringLiteral("panData"));
    mainLayout()->addWidget(m_panData, 1);
    m_save = addCommand(QStringLiteral("Salvesta1"), Translate(QStringLiteral("Salvesta")), [this] { Save(); },
                        QKeySequence(QStringLiteral("Alt+S")));
    m_cancel = addCommand(QStringLiteral("Jta1"), Translate(QStringLiteral("Jäta")), [this] { Cancel(); },
                          QKeySequence(QStringLiteral("Alt+J")));
    m_delete = addCommand(QStringLiteral("Kustuta1"), Translate(QStringLiteral("Kustuta")), [this] { Delete(); },
                          QKeySequence(QStringLiteral("Alt+K")));
    windowMenu()->addSeparator();
    QAction *close = addCommand(QStringLiteral("SulgeakenCtrlF41"), Translate(QStringLiteral("Sulge aken Ctrl+F4")),
                                [this] { this->close(); });
    addBarButton(m_delete, QStringLiteral("bDelete"))->setToolTip(Translate(QStringLiteral("Kustuta Alt+K")));
    addBarButton(m_save, QStringLiteral("bSave"))->setToolTip(Translate(QStringLiteral("Salvesta Alt+S")));
    addBarButton(m_cancel, QStringLiteral("bCancel"))->setToolTip(Translate(QStringLiteral("Jäta Alt+J")));
    addBarButton(close, QStringLiteral("bClose"));
    addEditedSource(m_source);
    updateButtons();
}

void TfDataEditForm1::setDataSet(data::DataSet *dataSet)
{
    m_source->setDataSet(dataSet);
    if (dataSet) {
        connect(dataSet, &data::DataSet::stateChanged, this, &TfDataEditForm1::updateButtons);
        connect(dataSet, &data::DataSet::currentRowChanged, this, &TfDataEditForm1::updateButtons);
    }
    updateButtons();
}

void TfDataEditForm1::updateButtons()
{
    data::DataSet *ds = m_source->dataSet();
    if (!ds || !ds->isActive()) {
        m_save->setEnabled(false);
        m_cancel->setEnabled(false);
        m_delete->setEnabled(false);
        return;
    }
    const bool editing = ds->isEditing();
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_delete->setEnabled(!editing && CanDelete(true));
}

bool TfDataEditForm1::ConfirmDelete()
{
    return ui() && ui()->ask(Translate(QStringLiteral("Kustutame kirje ?")), windowTitle(), data::UserInterface::Buttons::YesNo)
                       == data::UserInterface::Answer::Yes;
}

void TfDataEditForm1::Save()
{
    SaveAll();
}

void TfDataEditForm1::Cancel()
{
    data::DataSet *ds = m_source->dataSet();
    const bool inserting = ds && ds->state() == data::DataSet::State::Insert;
    CancelAll();
    // A new record that is dropped leaves nothing to show.
    if (inserting)
        close();
}

void TfDataEditForm1::Delete()
{
    data::DataSet *ds = m_source->dataSet();
    if (!ds || !ds->isActive())
        return;
    if (ds->state() == data::DataSet::State::Insert) {
        Cancel();
        return;
    }
    if (!ConfirmDelete())
        return;
    ds->remove();
    close();
}
