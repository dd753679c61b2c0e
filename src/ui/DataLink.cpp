#include "DataLink.h"

#include <QApplication>
#include <QWidget>

#include "data/DataError.h"
#include "data/DatabaseErrorText.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "data/UserInterface.h"
#include "fb/FbError.h"

DataLink::DataLink(QObject *parent) : QObject(parent) {}

void DataLink::setDataSource(data::DataSource *source)
{
    m_source = source;
    attach();
}

void DataLink::setFieldName(const QString &name)
{
    m_fieldName = name;
    emit changed();
}

void DataLink::attach()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (!m_source)
        return;
    m_connections << connect(m_source, &data::DataSource::currentChanged, this, &DataLink::changed);
    m_connections << connect(m_source, &data::DataSource::dataChanged, this, &DataLink::changed);
    if (data::DataSet *ds = m_source->dataSet()) {
        m_connections << connect(ds, &data::DataSet::rowChanged, this, [this](int row) {
            if (data::DataSet *d = dataSet(); d && row == d->currentRow())
                emit changed();
        });
        m_connections << connect(ds, &data::DataSet::stateChanged, this, [this] {
            emit stateChanged();
            emit changed();
        });
    }
    emit changed();
}

data::DataSource *DataLink::dataSource() const
{
    return m_source.data();
}

data::DataSet *DataLink::dataSet() const
{
    return m_source ? m_source->dataSet() : nullptr;
}

data::Field *DataLink::field() const
{
    data::DataSet *ds = dataSet();
    if (!ds || m_fieldName.isEmpty())
        return nullptr;
    return ds->findField(m_fieldName);
}

bool DataLink::canModify() const
{
    data::DataSet *ds = dataSet();
    data::Field *f = field();
    return ds && f && ds->isActive() && ds->canModify() && (!f->isReadOnly() || f->onSetText);
}

bool DataLink::canClear() const
{
    data::DataSet *ds = dataSet();
    data::Field *f = field();
    if (!ds || !f || !ds->isActive() || !ds->canModify())
        return false;
    if (f->kind() == data::Field::Kind::Lookup && !f->keyFields().isEmpty()) {
        const data::Field *key = ds->findField(f->keyFields().split(QLatin1Char(';')).first().trimmed());
        return key && !key->isReadOnly();
    }
    return canModify();
}

bool DataLink::isEditing() const
{
    data::DataSet *ds = dataSet();
    return ds && ds->isEditing();
}

bool DataLink::guard(const std::function<void()> &action)
{
    QString message;
    try {
        action();
        return true;
    } catch (const data::Abort &) {
        return false;
    } catch (const data::DataError &e) {
        message = e.message();
    } catch (const fb::FbError &e) {
        message = data::DatabaseErrorText(e);
    }
    if (m_ui) {
        const QWidget *window = qobject_cast<QWidget *>(parent()) ? qobject_cast<QWidget *>(parent())->window() : nullptr;
        m_ui->showMessage(message, window ? window->windowTitle() : QApplication::applicationDisplayName());
    }
    return false;
}

bool DataLink::edit()
{
    data::DataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return false;
    if (ds->isEditing())
        return true;
    return guard([ds] { ds->edit(); });
}

bool DataLink::setText(const QString &text)
{
    data::Field *f = field();
    if (!f || !edit())
        return false;
    // The rules look the field up again: the dataset may have gained fields meanwhile.
    const bool ok = guard([this, &text] {
        if (data::Field *current = field())
            current->setText(text);
    });
    if (!ok)
        emit changed(); // show the value that stayed
    return ok;
}

bool DataLink::clear()
{
    data::Field *f = field();
    if (!f)
        return false;
    QString target = f->fieldName();
    // A look-up field shows a name through its key: clearing it clears the key.
    if (f->kind() == data::Field::Kind::Lookup && !f->keyFields().isEmpty())
        target = f->keyFields().split(QLatin1Char(';')).first().trimmed();
    if (!edit())
        return false;
    const bool ok = guard([this, &target] { dataSet()->field(target).clear(); });
    emit changed();
    return ok;
}
