#include "DataSet.h"

#include <QScopeGuard>

#include "DataSource.h"
#include "FieldText.h"
#include "UpdateObject.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace data {

namespace {

enum Which { Refresh, Insert, Modify, Delete };

bool sameValue(const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    if (a.isNull() || b.isNull() || !a.isValid() || !b.isValid())
        return (a.isNull() || !a.isValid()) && (b.isNull() || !b.isValid());
    if (a.userType() == qMetaTypeId<fb::Numeric>() || b.userType() == qMetaTypeId<fb::Numeric>()) {
        auto num = [](const QVariant &v) {
            return v.userType() == qMetaTypeId<fb::Numeric>() ? v.value<fb::Numeric>().toDouble() : v.toDouble();
        };
        return num(a) == num(b);
    }
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
    return a == b;
}

} // namespace

DataSet::DataSet(fb::Transaction &transaction, const QString &name, QObject *parent)
    : QObject(parent), m_transaction(&transaction), m_name(name)
{
    setObjectName(name);
}

DataSet::~DataSet() = default;

void DataSet::setSelectSql(const QString &sql)
{
    m_select = ParamSql(sql);
}

bool DataSet::canModify() const
{
    return !statementFor(Modify).isEmpty() || !statementFor(Insert).isEmpty() || !statementFor(Delete).isEmpty();
}

const ParamSql &DataSet::statementFor(int which) const
{
    static thread_local ParamSql fromObject[4];
    if (m_updateObject) {
        const QString *text[] = {&m_updateObject->refreshSql, &m_updateObject->insertSql, &m_updateObject->modifySql,
                                 &m_updateObject->deleteSql};
        if (fromObject[which].original() != *text[which])
            fromObject[which] = ParamSql(*text[which]);
        return fromObject[which];
    }
    switch (which) {
    case Refresh: return m_refresh;
    case Insert: return m_insert;
    case Modify: return m_modify;
    default: return m_delete;
    }
}

void DataSet::setMasterSource(DataSource *master)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    if (m_master) {
        connect(m_master, &DataSource::currentChanged, this, &DataSet::masterChanged);
        connect(m_master, &DataSource::dataChanged, this, &DataSet::masterChanged);
    }
}

void DataSet::masterChanged()
{
    // The detail follows the master's current row: reopened with the master's values.
    if (!isActive())
        return;
    if (isEditing()) {
        try {
            post();
        } catch (...) {
            // A detail change that cannot be posted cannot follow the master to another row.
            cancel();
        }
    }
    reopen();
}

void DataSet::setGenerator(const QString &fieldName, const QString &generator, GeneratorMoment moment)
{
    m_generatorField = fieldName.toUpper();
    m_generator = generator;
    m_generatorMoment = moment;
}

Field &DataSet::defineField(const QString &name, fb::FieldKind type, Field::Kind kind)
{
    if (Field *f = findField(name)) {
        if (type != fb::FieldKind::Unknown)
            f->setDataType(type);
        return *f;
    }
    if (isActive() && kind == Field::Kind::Data)
        throw DataError(QStringLiteral("Field '%1' cannot be added to an open dataset").arg(name));
    m_fields.push_back(std::make_unique<Field>(*this, static_cast<int>(m_fields.size()), name.toUpper(), type, kind));
    for (Row &r : m_rows)
        r.values.emplace_back();
    return *m_fields.back();
}

Field *DataSet::findField(const QString &name) const
{
    for (const auto &f : m_fields)
        if (f->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field &DataSet::field(const QString &name) const
{
    Field *f = findField(name);
    if (!f)
        throw DataError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    return *f;
}

QVariant DataSet::valueAt(int row, int fieldIndex) const
{
    if (row < 0 || row >= fetchedCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return QVariant();
    if (row == m_current && isEditing())
        return m_editBuffer[fieldIndex];
    const Field &f = *m_fields[fieldIndex];
    if (f.kind() == Field::Kind::Lookup && f.lookupDataSet()) {
        QVariantList keys;
        for (const QString &k : f.keyFields().split(QLatin1Char(';'))) {
            const Field *kf = findField(k.trimmed());
            keys << (kf ? valueAt(row, kf->index()) : QVariant());
        }
        return f.lookupDataSet()->lookup(f.lookupKeyFields().split(QLatin1Char(';')), keys, f.lookupResultField());
    }
    return m_rows[row].values[fieldIndex];
}

QString DataSet::textAt(int row, int fieldIndex, bool forDisplay)
{
    if (row < 0 || row >= fetchedCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return QString();
    const Field &f = *m_fields[fieldIndex];
    if (!f.onGetText)
        return FieldText::toText(f.dataType(), valueAt(row, fieldIndex), f.scale());
    // The handler reads the field of the current row: point it at the wanted row meanwhile.
    const int saved = m_current;
    const State savedState = m_state;
    m_current = row;
    if (row != saved && isEditing())
        m_state = State::Browse;
    QString text;
    try {
        text = f.onGetText(f, forDisplay);
    } catch (...) {
        m_current = saved;
        m_state = savedState;
        throw;
    }
    m_current = saved;
    m_state = savedState;
    return text;
}

void DataSet::run(const std::vector<Handler> &handlers)
{
    for (const Handler &h : handlers)
        h(*this);
}

void DataSet::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged(s);
}

void DataSet::createFieldsFrom(const fb::Statement &st)
{
    m_columnToField.assign(st.columnCount(), -1);
    for (int c = 0; c < st.columnCount(); ++c) {
        const fb::ColumnInfo &col = st.column(c);
        Field *f = findField(col.alias);
        if (!f) {
            m_fields.push_back(std::make_unique<Field>(*this, static_cast<int>(m_fields.size()), col.alias.toUpper(),
                                                       col.kind, Field::Kind::Data));
            f = m_fields.back().get();
        }
        if (f->dataType() == fb::FieldKind::Unknown)
            f->setDataType(col.kind);
        f->setSize(col.charLength);
        f->setScale(col.scale < 0 ? -col.scale : 0);
        if (f->origin().isEmpty() && !col.relation.isEmpty())
            f->setOrigin(col.relation + QLatin1Char('.') + col.name);
        m_columnToField[c] = f->index();
    }
    // Fields follow the order of the select; fields of no column (calculated, look-up) come last.
    std::vector<std::unique_ptr<Field>> ordered;
    std::vector<bool> taken(m_fields.size(), false);
    for (int c = 0; c < st.columnCount(); ++c) {
        const int f = m_columnToField[c];
        if (!taken[f]) {
            taken[f] = true;
            ordered.push_back(std::move(m_fields[f]));
        }
    }
    for (size_t f = 0; f < m_fields.size(); ++f)
        if (!taken[f])
            ordered.push_back(std::move(m_fields[f]));
    m_fields = std::move(ordered);
    std::vector<int> newIndex(m_fields.size());
    for (size_t i = 0; i < m_fields.size(); ++i) {
        newIndex[m_fields[i]->m_index] = static_cast<int>(i);
        m_fields[i]->m_index = static_cast<int>(i);
    }
    for (int &f : m_columnToField)
        f = newIndex[f];
}

DataSet::Row DataSet::readRow(const fb::Statement &st) const
{
    Row r;
    r.values.resize(m_fields.size());
    for (int c = 0; c < st.columnCount(); ++c)
        r.values[m_columnToField[c]] = st.value(c);
    return r;
}

void DataSet::calculate(int row)
{
    if (onCalcFields.empty() || row < 0)
        return;
    // Calculated fields are written into the row itself while the handlers run.
    const int saved = m_current;
    m_current = row;
    const State savedState = m_state;
    m_state = State::Browse;
    try {
        run(onCalcFields);
    } catch (...) {
        m_current = saved;
        m_state = savedState;
        throw;
    }
    m_current = saved;
    m_state = savedState;
}

QVariant DataSet::paramValue(const QString &name, const Row *row, const std::vector<QVariant> *newValues) const
{
    if (name.startsWith(QLatin1String("OLD_"))) {
        if (Field *f = findField(name.mid(4)); f && row)
            return row->values[f->index()];
    }
    if (Field *f = findField(name)) {
        if (newValues)
            return (*newValues)[f->index()];
        if (row)
            return row->values[f->index()];
    }
    if (m_master && m_master->dataSet() && m_master->dataSet()->isActive()) {
        if (Field *mf = m_master->dataSet()->findField(name))
            return mf->value();
    }
    return m_params.value(name);
}

void DataSet::bindParams(fb::Statement &st, const QStringList &names, const Row *row,
                         const std::vector<QVariant> *newValues)
{
    for (int i = 0; i < names.size() && i < st.paramCount(); ++i)
        st.setValue(i, paramValue(names[i], row, newValues));
}

void DataSet::open()
{
    if (isActive())
        return;
    if (m_select.isEmpty())
        throw DataError(QStringLiteral("%1: no select statement").arg(m_name));
    run(beforeOpen);
    auto st = std::make_unique<fb::Statement>(*m_transaction, m_select.positional());
    // Master values: the detail's parameters of the same names.
    for (int i = 0; i < m_select.names().size() && i < st->paramCount(); ++i) {
        const QString &n = m_select.names()[i];
        QVariant v = m_params.value(n);
        if (m_master && m_master->dataSet() && m_master->dataSet()->isActive()) {
            if (Field *mf = m_master->dataSet()->findField(n))
                v = mf->value();
        }
        st->setValue(i, v);
    }
    st->execute();
    emit aboutToReset();
    createFieldsFrom(*st);
    m_rows.clear();
    m_cursor = std::move(st);
    m_state = State::Browse;
    // The first row arrives inside the reset, so that views see one consistent change.
    if (m_cursor->fetch()) {
        m_rows.push_back(readRow(*m_cursor));
    } else {
        m_cursor.reset();
    }
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    emit reset();
    calculate(m_current);
    emit stateChanged(m_state);
    run(afterOpen);
    run(afterScroll);
}

void DataSet::close()
{
    if (!isActive())
        return;
    run(beforeClose);
    if (isEditing())
        cancel();
    emit aboutToReset();
    m_cursor.reset();
    m_rows.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_state = State::Inactive;
    emit reset();
    emit stateChanged(m_state);
    run(afterClose);
}

void DataSet::reopen()
{
    close();
    open();
}

bool DataSet::isEmpty() const
{
    return m_rows.empty();
}

int DataSet::fetchMore(int count)
{
    // Views may ask for rows while they are told of rows arriving: one fetch at a time.
    if (!m_cursor || count <= 0 || m_fetching)
        return 0;
    m_fetching = true;
    const auto done = qScopeGuard([this] { m_fetching = false; });
    std::vector<Row> fresh;
    fresh.reserve(std::min(count, 4096));
    try {
        while (static_cast<int>(fresh.size()) < count) {
            if (!m_cursor->fetch()) {
                m_cursor.reset();
                break;
            }
            fresh.push_back(readRow(*m_cursor));
        }
    } catch (const fb::FbError &) {
        // A cursor lost to a hard commit or a dropped connection ends the rows we can show.
        m_cursor.reset();
        if (fresh.empty())
            throw;
    }
    if (fresh.empty())
        return 0;
    const int first = fetchedCount();
    const int n = static_cast<int>(fresh.size());
    // A row being inserted at the end stays the last row.
    emit rowsAboutToBeInserted(first, first + n - 1);
    for (Row &r : fresh)
        m_rows.push_back(std::move(r));
    emit rowsInserted();
    for (int i = first; i < first + n; ++i)
        calculate(i);
    return n;
}

void DataSet::fetchAll()
{
    while (m_cursor && fetchMore(1024) > 0) {
    }
}

int DataSet::recordCount()
{
    fetchAll();
    return fetchedCount();
}

void DataSet::ensureFetched(int row)
{
    while (row >= fetchedCount() && m_cursor)
        fetchMore(std::max(256, row - fetchedCount() + 1));
}

void DataSet::setCurrent(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
    run(afterScroll);
}

void DataSet::moveTo(int row)
{
    if (!isActive())
        throw DataError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(m_name));
    if (isEditing())
        post();
    ensureFetched(row);
    m_bof = row <= 0;
    m_eof = row >= fetchedCount() && isFullyFetched();
    if (m_rows.empty()) {
        m_bof = m_eof = true;
        return;
    }
    setCurrent(std::clamp(row, 0, fetchedCount() - 1));
}

void DataSet::first()
{
    moveTo(0);
}

void DataSet::last()
{
    fetchAll();
    moveTo(fetchedCount() - 1);
    m_eof = false;
}

void DataSet::next()
{
    if (m_current + 1 >= fetchedCount())
        ensureFetched(m_current + 1);
    if (m_current + 1 >= fetchedCount()) {
        m_eof = true;
        return;
    }
    moveTo(m_current + 1);
    m_eof = false;
}

void DataSet::prior()
{
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    moveTo(m_current - 1);
    m_bof = false;
}

bool DataSet::locate(const QString &fieldName, const QVariant &value, bool caseInsensitive)
{
    const Field &f = field(fieldName);
    for (int r = 0;; ++r) {
        if (r >= fetchedCount()) {
            if (!m_cursor)
                return false;
            fetchMore(512);
            if (r >= fetchedCount())
                return false;
        }
        if (sameValue(valueAt(r, f.index()), value, caseInsensitive)) {
            moveTo(r);
            return true;
        }
    }
}

QVariant DataSet::lookup(const QStringList &keyFields, const QVariantList &values, const QString &resultField)
{
    if (!isActive())
        return QVariant();
    std::vector<int> keys;
    for (const QString &k : keyFields)
        keys.push_back(field(k.trimmed()).index());
    const int result = field(resultField).index();
    for (int r = 0;; ++r) {
        if (r >= fetchedCount()) {
            if (!m_cursor || fetchMore(512) == 0)
                return QVariant();
        }
        bool match = true;
        for (size_t i = 0; i < keys.size() && match; ++i)
            match = sameValue(m_rows[r].values[keys[i]], values.value(static_cast<int>(i)), false);
        if (match)
            return m_rows[r].values[result];
    }
}

std::vector<QVariant> &DataSet::buffer()
{
    return m_editBuffer;
}

const std::vector<QVariant> &DataSet::currentValues() const
{
    static const std::vector<QVariant> none;
    if (isEditing())
        return m_editBuffer;
    if (m_current < 0 || m_current >= fetchedCount())
        return none;
    return m_rows[m_current].values;
}

QVariant DataSet::nextGeneratorValue() const
{
    fb::Statement st(*m_transaction, QStringLiteral("select gen_id(%1, 1) from RDB$DATABASE").arg(m_generator));
    st.execute();
    if (!st.fetch())
        throw DataError(QStringLiteral("Generator %1 gave no value").arg(m_generator));
    return st.getInt(0);
}

void DataSet::newRecord(int position)
{
    if (!isActive())
        throw DataError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(m_name));
    if (isEditing())
        post();
    run(beforeInsert);
    Row r;
    r.values.resize(m_fields.size());
    emit rowsAboutToBeInserted(position, position);
    m_rows.insert(m_rows.begin() + position, std::move(r));
    emit rowsInserted();
    m_insertedRow = position;
    m_editBuffer = m_rows[position].values;
    m_current = position;
    setState(State::Insert);
    try {
        for (const auto &f : m_fields)
            if (f->defaultValue().isValid() && !f->defaultValue().isNull())
                m_editBuffer[f->index()] = f->defaultValue();
        if (!m_generator.isEmpty() && m_generatorMoment == GeneratorMoment::OnNewRecord)
            if (Field *g = findField(m_generatorField))
                m_editBuffer[g->index()] = nextGeneratorValue();
        run(onNewRecord);
    } catch (...) {
        cancel();
        throw;
    }
    emit currentRowChanged(position);
    emit rowChanged(position);
    run(afterInsert);
}

void DataSet::insert()
{
    newRecord(m_current < 0 ? 0 : m_current);
}

void DataSet::append()
{
    fetchAll();
    newRecord(fetchedCount());
}

void DataSet::edit()
{
    if (!isActive())
        throw DataError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(m_name));
    if (isEditing())
        return;
    if (m_rows.empty()) {
        append();
        return;
    }
    if (!canModify())
        throw DataError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_name));
    run(beforeEdit);
    m_editBuffer = m_rows[m_current].values;
    setState(State::Edit);
    run(afterEdit);
}

void DataSet::setFieldValue(Field &field, const QVariant &value)
{
    if (!isEditing()) {
        if (field.kind() == Field::Kind::Calculated && m_current >= 0 && m_current < fetchedCount()) {
            m_rows[m_current].values[field.index()] = value;
            return;
        }
        throw DataError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_name));
    }
    if (field.kind() == Field::Kind::Calculated) {
        m_editBuffer[field.index()] = value;
        return;
    }
    if (field.onValidate)
        field.onValidate(field, value);
    m_editBuffer[field.index()] = value;
    if (field.onChange)
        field.onChange(field);
    if (!onCalcFields.empty())
        run(onCalcFields);
    emit rowChanged(m_current);
}

void DataSet::post()
{
    if (!isEditing())
        return;
    run(beforePost);

    for (const auto &f : m_fields) {
        if (!f->isRequired() || f->kind() != Field::Kind::Data)
            continue;
        // A generator that fills the key on post satisfies the key's requirement.
        if (m_state == State::Insert && m_generatorMoment == GeneratorMoment::OnPost && f->fieldName() == m_generatorField)
            continue;
        const QVariant &v = m_editBuffer[f->index()];
        if (!v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()))
            throw DataError(QStringLiteral("Field '%1' must have a value").arg(f->displayLabel()));
    }

    const bool inserting = m_state == State::Insert;
    if (inserting && !m_generator.isEmpty() && m_generatorMoment == GeneratorMoment::OnPost) {
        if (Field *g = findField(m_generatorField); g && (m_editBuffer[g->index()].isNull() || !m_editBuffer[g->index()].isValid()))
            m_editBuffer[g->index()] = nextGeneratorValue();
    }

    const ParamSql &sql = statementFor(inserting ? Insert : Modify);
    if (sql.isEmpty())
        throw DataError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_name));
    {
        fb::Statement st(*m_transaction, sql.positional());
        bindParams(st, sql.names(), &m_rows[m_current], &m_editBuffer);
        st.execute();
        if (!inserting && st.type() == fb::Statement::Type::Update && st.affectedRows() == 0)
            throw DataError(QStringLiteral("Kirjet ei leitud: teine kasutaja on selle vahepeal muutnud või kustutanud"));
    }

    Row &row = m_rows[m_current];
    row.values = m_editBuffer;
    m_insertedRow = -1;
    setState(State::Browse);
    rereadRow(m_current);
    emit rowChanged(m_current);
    run(afterPost);
}

void DataSet::rereadRow(int rowIndex)
{
    const ParamSql &sql = statementFor(Refresh);
    if (sql.isEmpty()) {
        calculate(rowIndex);
        return;
    }
    fb::Statement st(*m_transaction, sql.positional());
    Row &row = m_rows[rowIndex];
    bindParams(st, sql.names(), &row, nullptr);
    st.execute();
    if (st.fetch()) {
        for (int c = 0; c < st.columnCount(); ++c) {
            if (Field *f = findField(st.column(c).alias))
                row.values[f->index()] = st.value(c);
        }
    }
    st.closeCursor();
    calculate(rowIndex);
}

void DataSet::cancel()
{
    if (!isEditing())
        return;
    run(beforeCancel);
    if (m_state == State::Insert && m_insertedRow >= 0) {
        const int row = m_insertedRow;
        m_insertedRow = -1;
        m_state = State::Browse;
        emit rowsAboutToBeRemoved(row, row);
        m_rows.erase(m_rows.begin() + row);
        emit rowsRemoved();
        m_current = m_rows.empty() ? -1 : std::min(row, fetchedCount() - 1);
        emit stateChanged(m_state);
        emit currentRowChanged(m_current);
    } else {
        setState(State::Browse);
        emit rowChanged(m_current);
    }
    m_editBuffer.clear();
    run(afterCancel);
}

void DataSet::remove()
{
    if (!isActive())
        throw DataError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(m_name));
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        throw DataError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(m_name));
    run(beforeDelete);
    if (m_state == State::Edit)
        cancel();
    const ParamSql &sql = statementFor(Delete);
    if (sql.isEmpty())
        throw DataError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_name));
    {
        fb::Statement st(*m_transaction, sql.positional());
        bindParams(st, sql.names(), &m_rows[m_current], nullptr);
        st.execute();
    }
    const int row = m_current;
    emit rowsAboutToBeRemoved(row, row);
    m_rows.erase(m_rows.begin() + row);
    emit rowsRemoved();
    ensureFetched(row);
    m_current = m_rows.empty() ? -1 : std::min(row, fetchedCount() - 1);
    m_eof = m_rows.empty();
    emit currentRowChanged(m_current);
    run(afterScroll);
    run(afterDelete);
}

void DataSet::refresh()
{
    if (!isActive() || m_rows.empty())
        return;
    if (isEditing())
        post();
    rereadRow(m_current);
    emit rowChanged(m_current);
    run(afterRefresh);
}

} // namespace data
