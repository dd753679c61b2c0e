#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>

#include "data/DataSource.h"

namespace data {
class DataSet;
class DataSource;
class Field;
class UserInterface;
} // namespace data

// Binds one control to one field of a data source: tells the control when the shown value may have
// changed (another row, a posted or cancelled change, a reopened dataset, a change of state) and
// writes typed text through the field's text rules, reporting a refusal the way the program does.
class DataLink : public QObject
{
    Q_OBJECT

public:
    explicit DataLink(QObject *parent = nullptr);

    void setDataSource(data::DataSource *source);
    data::DataSource *dataSource() const;
    void setFieldName(const QString &name);
    const QString &fieldName() const { return m_fieldName; }
    // Where refusals are shown, and under which caption.
    void setUserInterface(data::UserInterface *ui) { m_ui = ui; }
    data::UserInterface *userInterface() const { return m_ui; }

    data::DataSet *dataSet() const;
    // The bound field, or nullptr while the dataset is closed or has no such field.
    data::Field *field() const;
    bool canModify() const;
    // Whether clearing may be tried: the field itself, or for a look-up field the key behind it.
    bool canClear() const;
    bool isEditing() const;

    // Puts the dataset in edit state (or keeps its insert state); false when a rule refused it (its
    // message has been shown).
    bool edit();
    // The typed text through the field's rules; false when refused (message shown, value unchanged).
    bool setText(const QString &text);
    // Clears the field; for a look-up field the key behind it. False when refused.
    bool clear();
    // Runs an action on the data and reports what it throws; false when it threw.
    bool guard(const std::function<void()> &action);

signals:
    // The value to show may be another one.
    void changed();
    // The dataset's state changed (browse, edit, insert, closed).
    void stateChanged();

private:
    void attach();

    QPointer<data::DataSource> m_source;
    QString m_fieldName;
    data::UserInterface *m_ui = nullptr;
    QList<QMetaObject::Connection> m_connections;
};
