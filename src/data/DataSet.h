#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include "DataError.h"
#include "DataSource.h"
#include "Field.h"
#include "ModifyStatement.h"
#include "ParamSql.h"
#include "fb/RowStore.h"

namespace fb {
class Statement;
class Transaction;
} // namespace fb

namespace data {

class UpdateObject;

// A client-side row set bound to statements of the one connection: the select that fills it and,
// for editable datasets, the refresh, insert, modify and delete statements that write it back.
// Rows are fetched on demand. Business rules attach to the events; the dataset only fixes their order.
class DataSet : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class GeneratorMoment { OnPost, OnNewRecord };
    using Handler = std::function<void(DataSet &)>;

    DataSet(fb::Transaction &transaction, const QString &name, QObject *parent = nullptr);
    ~DataSet() override;

    // The component name: filters are registered under it.
    const QString &name() const { return m_name; }
    fb::Transaction &transaction() const { return *m_transaction; }

    // Statements. The select may be changed while closed or through reopen().
    const QString &selectSql() const { return m_select.original(); }
    void setSelectSql(const QString &sql);
    void setRefreshSql(const QString &sql) { m_refresh = ParamSql(sql); }
    void setInsertSql(const QString &sql) { m_insert = ParamSql(sql); }
    void setModifySql(const QString &sql) { m_modify = ParamSql(sql); }
    void setDeleteSql(const QString &sql) { m_delete = ParamSql(sql); }
    // Insert, modify, delete and refresh statements kept in a separate object (for selects with joins).
    void setUpdateObject(UpdateObject *update) { m_updateObject = update; }
    UpdateObject *updateObject() const { return m_updateObject; }
    bool canModify() const;

    // Parameters of the select that do not come from a master dataset.
    void setParam(const QString &name, const QVariant &value) { m_params[name.toUpper()] = value; }
    QVariant param(const QString &name) const { return m_params.value(name.toUpper()); }

    // Master and detail: the select's parameters take the master row's fields of the same names.
    // The detail follows the master's key: it is reopened when the master moves to another row or
    // the values it is linked by change, not on every post of the master. Before the master leaves
    // its row, a detail being edited is posted; when that fails the master stays where it was.
    void setMasterSource(DataSource *master);
    DataSource *masterSource() const { return m_master; }

    void setGenerator(const QString &fieldName, const QString &generator, GeneratorMoment moment = GeneratorMoment::OnPost);
    // The key field that a generator fills; empty without one.
    const QString &generatorField() const { return m_generatorField; }

    // Whether the rows shown are narrowed by conditions (the session's filters, a window's filter
    // panel); windows show it and summaries say it.
    void setFiltered(bool filtered) { m_filtered = filtered; }
    bool isFiltered() const { return m_filtered; }

    // Fields. Fields may be defined before the first open to give them properties; the columns of the
    // select are matched to them by name.
    Field &defineField(const QString &name, fb::FieldKind type = fb::FieldKind::Unknown, Field::Kind kind = Field::Kind::Data);
    Field *findField(const QString &name) const;
    Field &field(const QString &name) const; // throws DataError when absent
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    Field &fieldAt(int i) const { return *m_fields.at(i); }
    // Value of a field in any fetched row, without moving.
    QVariant valueAt(int row, int fieldIndex) const;
    // The field's text in any fetched row (through its get-text handler), without moving.
    QString textAt(int row, int fieldIndex, bool forDisplay = true);

    // Open and close.
    void open();
    void close();
    void reopen();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Rows and navigation. Rows not yet fetched are fetched when a move needs them.
    bool isEmpty() const;
    int fetchedCount() const { return static_cast<int>(m_rows.size()); }
    // Nothing more can be fetched: the rows came to an end, or reading them failed.
    bool isFullyFetched() const { return !m_cursor; }
    // Every row of the select arrived (false after a fetch error cut the list short).
    bool isComplete() const { return !m_cursor && !m_fetchFailed; }
    // Fetches up to `count` more rows; returns how many arrived. A fetch error is thrown after the
    // rows read before it have been added.
    int fetchMore(int count);
    void fetchAll();
    int recordCount(); // fetches everything
    int currentRow() const { return m_current; }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    // Finds the first row whose field equals the value (text compared without case when asked),
    // fetching as far as needed; moves there and returns true when found.
    bool locate(const QString &fieldName, const QVariant &value, bool caseInsensitive = false);
    // Searches without moving: the result field of the first row whose key fields equal the values.
    QVariant lookup(const QStringList &keyFields, const QVariantList &values, const QString &resultField);

    // Editing. Before-handlers may reopen the dataset (a detail posting its master): the operation
    // then finds the row that was current again by its key.
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    // Re-reads the current row with the refresh statement.
    void refresh();

    // Events, in the order the operations run them. Before-handlers throw data::Abort to abandon the
    // action silently, or DataError (or a database error) to refuse it with a message.
    std::vector<Handler> beforeOpen, afterOpen, beforeClose, afterClose;
    std::vector<Handler> beforeInsert, onNewRecord, afterInsert;
    std::vector<Handler> beforeEdit, afterEdit;
    std::vector<Handler> beforePost, afterPost;
    // After the row's own statement and before the state leaves Edit or Insert: rows that belong
    // with this one are written here. Should one throw, the dataset stays in its state with the
    // values typed, and the handler undoes what the transaction holds of the row.
    std::vector<Handler> afterWrite;
    std::vector<Handler> beforeCancel, afterCancel;
    std::vector<Handler> beforeDelete, afterDelete;
    std::vector<Handler> afterScroll, afterRefresh;
    std::vector<Handler> onCalcFields; // fills calculated fields of the current row

signals:
    void aboutToReset();
    void reset();
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void rowChanged(int row);
    void currentRowChanged(int row);
    void stateChanged(data::DataSet::State state);

private:
    friend class Field;
    friend class DataSource;
    // A row as last read from or written to the database. While a row is edited, the changes live in
    // the edit buffer and the row keeps the old values (the OLD_ parameters).
    // A fetched row stays as it arrived, packed in the row store, and its values are decoded when
    // read: a register of many rows is held in little more than the bytes the server sent. A row
    // that has been posted or re-read holds its values instead.
    struct Row
    {
        const char *packed = nullptr;
        // Without packed bytes: the value of every field. With them: the values of the fields that
        // no column fills (calculated, look-up), counted from the first such field, once written.
        std::vector<QVariant> values;
    };

    void run(const std::vector<Handler> &handlers);
    void setState(State s);
    void createFieldsFrom(const fb::Statement &st);
    Row readRow(const fb::Statement &st);
    QVariant stored(const Row &row, int fieldIndex) const;
    void store(Row &row, int fieldIndex, const QVariant &value);
    std::vector<QVariant> valuesOf(const Row &row) const;
    void unpack(Row &row) const;
    void calculate(int row);
    void bindParams(fb::Statement &st, const QStringList &names, const Row *row, const std::vector<QVariant> *newValues);
    QVariant paramValue(const QString &name, const Row *row, const std::vector<QVariant> *newValues) const;
    const ParamSql &statementFor(int which) const;
    const ModifyStatement &modifyStatement() const;
    // Writes the columns whose values differ from the row as read; false when the modify statement
    // is not of the plain form and must run whole.
    bool writeChangedColumns(const std::vector<QVariant> &typed);
    [[noreturn]] void refuseConflict(const QStringList &changedColumns);
    void ensureFetched(int row);
    void setCurrent(int row);
    void newRecord(bool atEnd);
    // The current row and the open it belongs to, to find the row again after a reopen.
    struct RowMark
    {
        quint64 openCount = 0;
        int row = -1;
        QVariantList key;
    };
    RowMark markCurrent() const;
    bool returnTo(const RowMark &mark);
    QStringList keyFieldNames() const;
    QVariantList masterLinkValues() const;
    int masterRow() const;
    void postDetails(bool onlyWhenLinkChanges);
    bool linkChanged() const;
    QVariant nextGeneratorValue() const;
    void rereadRow(int row);
    void masterChanged();
    void followMasterIfPending();

    void setFieldValue(Field &field, const QVariant &value);

    fb::Transaction *m_transaction;
    QString m_name;
    ParamSql m_select, m_refresh, m_insert, m_modify, m_delete;
    UpdateObject *m_updateObject = nullptr;
    QHash<QString, QVariant> m_params;
    QPointer<DataSource> m_master;
    QString m_generatorField;
    bool m_filtered = false;
    QString m_generator;
    GeneratorMoment m_generatorMoment = GeneratorMoment::OnPost;

    std::vector<std::unique_ptr<Field>> m_fields;
    std::vector<int> m_columnToField;
    // The column that fills each of the first m_columnFields fields; the fields after them have none.
    std::vector<int> m_fieldToColumn;
    int m_columnFields = 0;
    std::unique_ptr<fb::Statement> m_cursor;
    fb::RowStore m_store;
    // A deque: a register of many rows grows without moving the rows fetched before into new memory.
    std::deque<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    std::vector<QVariant> m_editBuffer;
    int m_insertedRow = -1;
    bool m_fetching = false;
    bool m_fetchFailed = false;
    bool m_calculating = false;
    quint64 m_openCount = 0;
    // The statements of the update object, parsed when its texts change.
    mutable ParamSql m_fromObject[4];
    // The modify statement taken apart for writing only changed columns, with the statements built.
    mutable ModifyStatement m_modifyParts;
    // What the detail was opened with: the master's link values and row.
    QVariantList m_masterLink;
    int m_masterRowOpened = -1;
    // A detail change that could not be posted when the master moved: followed after its post.
    bool m_followPending = false;
    // Data sources pointing at this dataset, through which its details are reached.
    std::vector<QPointer<DataSource>> m_sources;
};

} // namespace data

Q_DECLARE_METATYPE(data::DataSet::State)
