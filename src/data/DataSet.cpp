#include "DataSet.h"

#include <QScopeGuard>

#include "DataSource.h"
#include "FieldText.h"
#include "Translate.h"
#include "UpdateObject.h"
#include "fb/Attachment.h"
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

bool sameValues(const QVariantList &a, const QVariantList &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!sameValue(a[i], b[i], false))
            return false;
    return true;
}

// The row to be written or changed is no longer where it was read from.
DataError rowGone()
{
    return DataError(
        Translate(QStringLiteral("Kirjet ei leitud: teine kasutaja on selle vahepeal muutnud või kustutanud")));
}

// Messages of the dataset layer: the dataset's name, then the translated text.
QString named(const QString &dataSetName, const char *text)
{
    return dataSetName + QStringLiteral(": ") + Translate(QString::fromUtf8(text));
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
    if (m_updateObject) {
        const QString *text[] = {&m_updateObject->refreshSql, &m_updateObject->insertSql, &m_updateObject->modifySql,
                                 &m_updateObject->deleteSql};
        if (m_fromObject[which].original() != *text[which])
            m_fromObject[which] = ParamSql(*text[which]);
        return m_fromObject[which];
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
    if (m_master) {
        disconnect(m_master, nullptr, this, nullptr);
        std::erase_if(m_master->m_details,
                      [this](const QPointer<DataSet> &d) { return d.isNull() || d.data() == this; });
    }
    m_master = master;
    if (m_master) {
        m_master->m_details.emplace_back(this);
        connect(m_master, &DataSource::currentChanged, this, &DataSet::masterChanged);
        connect(m_master, &DataSource::dataChanged, this, &DataSet::masterChanged);
    }
}

QVariantList DataSet::masterLinkValues() const
{
    QVariantList values;
    DataSet *master = m_master ? m_master->dataSet() : nullptr;
    for (const QString &n : m_select.names()) {
        const Field *mf = master && master->isActive() ? master->findField(n) : nullptr;
        values << (mf ? mf->value() : QVariant());
    }
    return values;
}

int DataSet::masterRow() const
{
    DataSet *master = m_master ? m_master->dataSet() : nullptr;
    return master && master->isActive() ? master->currentRow() : -1;
}

bool DataSet::linkChanged() const
{
    return masterRow() != m_masterRowOpened || !sameValues(masterLinkValues(), m_masterLink);
}

void DataSet::masterChanged()
{
    // The detail follows the master's key: a post, cancel or refresh that leaves the key as it was
    // keeps the detail open and positioned (a detail change may be posting the master just now).
    if (!isActive() || !linkChanged())
        return;
    if (isEditing()) {
        // The master posts its details before it moves; this is a change of its key under an open
        // detail edit. An edit that cannot be posted stays, and the detail follows after its post.
        try {
            post();
        } catch (...) {
            m_followPending = true;
            return;
        }
    }
    m_followPending = false;
    reopen();
}

void DataSet::postDetails(bool onlyWhenLinkChanges)
{
    // Copied first: posting a detail may add or drop sources and details.
    std::vector<QPointer<DataSet>> details;
    for (const QPointer<DataSource> &src : m_sources)
        if (src)
            for (DataSet *d : src->details())
                details.emplace_back(d);
    for (const QPointer<DataSet> &d : details)
        if (d && d->isEditing() && (!onlyWhenLinkChanges || d->linkChanged()))
            d->post();
}

QStringList DataSet::keyFieldNames() const
{
    // The refresh statement finds a row by its key; the delete statement by the key's old values.
    QStringList keys;
    for (const QString &n : statementFor(Refresh).names())
        if (findField(n) && !keys.contains(n))
            keys << n;
    if (keys.isEmpty())
        for (const QString &n : statementFor(Delete).names())
            if (n.startsWith(QLatin1String("OLD_")) && findField(n.mid(4)) && !keys.contains(n.mid(4)))
                keys << n.mid(4);
    if (keys.isEmpty())
        for (const auto &f : m_fields)
            if (f->kind() == Field::Kind::Data)
                keys << f->fieldName();
    return keys;
}

DataSet::RowMark DataSet::markCurrent() const
{
    RowMark mark;
    mark.openCount = m_openCount;
    mark.row = m_current;
    if (m_current >= 0 && m_current < fetchedCount())
        for (const QString &k : keyFieldNames())
            mark.key << stored(m_rows[m_current], field(k).index());
    return mark;
}

bool DataSet::returnTo(const RowMark &mark)
{
    if (mark.openCount == m_openCount || mark.row < 0)
        return true;
    const QStringList keys = keyFieldNames();
    std::vector<int> indexes;
    for (const QString &k : keys)
        indexes.push_back(field(k).index());
    for (int r = 0;; ++r) {
        ensureFetched(r);
        if (r >= fetchedCount())
            return false;
        bool match = static_cast<qsizetype>(indexes.size()) == mark.key.size();
        for (size_t i = 0; i < indexes.size() && match; ++i)
            match = sameValue(stored(m_rows[r], indexes[i]), mark.key[static_cast<qsizetype>(i)], false);
        if (match) {
            setCurrent(r);
            return true;
        }
    }
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
        throw DataError(Translate(QStringLiteral("Field '%1' cannot be added to an open dataset")).arg(name));
    m_fields.push_back(std::make_unique<Field>(*this, static_cast<int>(m_fields.size()), name.toUpper(), type, kind));
    // Packed rows keep the values of such fields only once one is written.
    for (Row &r : m_rows)
        if (!r.packed)
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
        throw DataError(named(m_name, "Field '%1' not found").arg(name));
    return *f;
}

QVariant DataSet::valueAt(int row, int fieldIndex) const
{
    if (row < 0 || row >= fetchedCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return QVariant();
    const Field &f = *m_fields[fieldIndex];
    // A look-up follows the key fields of the row, which are in the edit buffer while it is edited.
    if (f.kind() == Field::Kind::Lookup && f.lookupDataSet()) {
        QVariantList keys;
        for (const QString &k : f.keyFields().split(QLatin1Char(';'))) {
            const Field *kf = findField(k.trimmed());
            keys << (kf ? valueAt(row, kf->index()) : QVariant());
        }
        return f.lookupDataSet()->lookup(f.lookupKeyFields().split(QLatin1Char(';')), keys, f.lookupResultField());
    }
    if (row == m_current && isEditing())
        return m_editBuffer[fieldIndex];
    return stored(m_rows[row], fieldIndex);
}

QVariant DataSet::stored(const Row &row, int fieldIndex) const
{
    if (!row.packed)
        return fieldIndex < static_cast<int>(row.values.size()) ? row.values[fieldIndex] : QVariant();
    if (fieldIndex < m_columnFields)
        return m_store.value(row.packed, m_fieldToColumn[fieldIndex]);
    const auto extra = static_cast<size_t>(fieldIndex - m_columnFields);
    return extra < row.values.size() ? row.values[extra] : QVariant();
}

void DataSet::store(Row &row, int fieldIndex, const QVariant &value)
{
    if (row.packed && fieldIndex < m_columnFields)
        unpack(row);
    if (!row.packed) {
        if (fieldIndex >= static_cast<int>(row.values.size()))
            row.values.resize(m_fields.size());
        row.values[fieldIndex] = value;
        return;
    }
    const auto extra = static_cast<size_t>(fieldIndex - m_columnFields);
    if (extra >= row.values.size())
        row.values.resize(m_fields.size() - static_cast<size_t>(m_columnFields));
    row.values[extra] = value;
}

std::vector<QVariant> DataSet::valuesOf(const Row &row) const
{
    std::vector<QVariant> values(m_fields.size());
    for (size_t f = 0; f < values.size(); ++f)
        values[f] = stored(row, static_cast<int>(f));
    return values;
}

void DataSet::unpack(Row &row) const
{
    row.values = valuesOf(row);
    row.packed = nullptr;
}

QString DataSet::textAt(int row, int fieldIndex, bool forDisplay)
{
    if (row < 0 || row >= fetchedCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return QString();
    const Field &f = *m_fields[fieldIndex];
    if (!f.onGetText) {
        if (forDisplay && !f.displayFormat().isEmpty())
            return FieldText::formatNumber(f.dataType(), valueAt(row, fieldIndex), f.scale(), f.displayFormat());
        return FieldText::toText(f.dataType(), valueAt(row, fieldIndex), f.scale());
    }
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
        // Columns the server computes (the names beside codes) are shown, never written.
        if (f->m_kind == Field::Kind::Data && !col.relation.isEmpty() &&
            m_transaction->attachment().computedColumns(*m_transaction, col.relation).contains(col.name))
            f->m_kind = Field::Kind::Computed;
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
    // The fields that columns fill come first; when two columns share a name, the later one fills it.
    m_columnFields = 0;
    for (int f : m_columnToField)
        m_columnFields = std::max(m_columnFields, f + 1);
    m_fieldToColumn.assign(static_cast<size_t>(m_columnFields), -1);
    for (int c = 0; c < static_cast<int>(m_columnToField.size()); ++c)
        m_fieldToColumn[static_cast<size_t>(m_columnToField[static_cast<size_t>(c)])] = c;
}

DataSet::Row DataSet::readRow(const fb::Statement &st)
{
    Row r;
    r.packed = m_store.append(st);
    return r;
}

void DataSet::calculate(int row)
{
    if (onCalcFields.empty() || row < 0 || m_calculating)
        return;
    // Calculated fields are written into the row itself while the handlers run.
    const int saved = m_current;
    m_current = row;
    const State savedState = m_state;
    m_state = State::Browse;
    m_calculating = true;
    const auto restore = qScopeGuard([&] {
        m_calculating = false;
        m_current = saved;
        m_state = savedState;
    });
    run(onCalcFields);
}

QVariant DataSet::paramValue(const QString &name, const Row *row, const std::vector<QVariant> *newValues) const
{
    if (name.startsWith(QLatin1String("OLD_"))) {
        if (Field *f = findField(name.mid(4)); f && row)
            return stored(*row, f->index());
    }
    if (Field *f = findField(name)) {
        if (newValues)
            return (*newValues)[f->index()];
        if (row)
            return stored(*row, f->index());
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
        throw DataError(named(m_name, "no select statement"));
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
    m_store = fb::RowStore(*st);
    m_cursor = std::move(st);
    m_fetchFailed = false;
    ++m_openCount;
    m_masterLink = masterLinkValues();
    m_masterRowOpened = masterRow();
    m_followPending = false;
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
    // The details lose their master row: a change of theirs is posted first, or the close is refused.
    postDetails(false);
    m_followPending = false;
    if (isEditing())
        cancel();
    emit aboutToReset();
    m_cursor.reset();
    m_fetchFailed = false;
    m_rows.clear();
    m_store.clear();
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
    std::exception_ptr failure;
    try {
        while (static_cast<int>(fresh.size()) < count) {
            if (!m_cursor->fetch()) {
                m_cursor.reset();
                break;
            }
            fresh.push_back(readRow(*m_cursor));
        }
    } catch (const fb::FbError &) {
        // The rows read so far stay, but the list is not whole: the user is told, not left with a
        // silently shorter list.
        m_cursor.reset();
        m_fetchFailed = true;
        failure = std::current_exception();
    }
    if (fresh.empty()) {
        if (failure)
            std::rethrow_exception(failure);
        return 0;
    }
    const int first = fetchedCount();
    const int n = static_cast<int>(fresh.size());
    // A row being inserted at the end stays the last row.
    emit rowsAboutToBeInserted(first, first + n - 1);
    for (Row &r : fresh)
        m_rows.push_back(std::move(r));
    emit rowsInserted();
    for (int i = first; i < first + n; ++i)
        calculate(i);
    if (failure)
        std::rethrow_exception(failure);
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
        throw DataError(named(m_name, "Cannot perform this operation on a closed dataset"));
    if (isEditing())
        post();
    ensureFetched(row);
    if (!m_rows.empty() && std::clamp(row, 0, fetchedCount() - 1) != m_current)
        postDetails(false);
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
            match = sameValue(stored(m_rows[r], keys[i]), values.value(static_cast<int>(i)), false);
        if (match)
            return stored(m_rows[r], result);
    }
}

QVariant DataSet::nextGeneratorValue() const
{
    fb::Statement st(*m_transaction, QStringLiteral("select gen_id(%1, 1) from RDB$DATABASE").arg(m_generator));
    st.execute();
    if (!st.fetch())
        throw DataError(Translate(QStringLiteral("Generator %1 gave no value")).arg(m_generator));
    return st.getInt(0);
}

void DataSet::newRecord(bool atEnd)
{
    if (!isActive())
        throw DataError(named(m_name, "Cannot perform this operation on a closed dataset"));
    if (isEditing())
        post();
    postDetails(false);
    const RowMark mark = markCurrent();
    run(beforeInsert);
    // The handlers may have reopened the dataset: the place of the new row is taken afterwards.
    if (atEnd)
        fetchAll();
    else
        returnTo(mark);
    const int position = atEnd ? fetchedCount() : std::clamp(m_current, 0, fetchedCount());
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
    newRecord(false);
}

void DataSet::append()
{
    fetchAll();
    newRecord(true);
}

void DataSet::edit()
{
    if (!isActive())
        throw DataError(named(m_name, "Cannot perform this operation on a closed dataset"));
    if (isEditing())
        return;
    if (m_rows.empty()) {
        append();
        return;
    }
    if (!canModify())
        throw DataError(named(m_name, "Cannot modify a read-only dataset"));
    const RowMark mark = markCurrent();
    run(beforeEdit);
    if (!returnTo(mark) || m_current < 0)
        throw rowGone();
    m_editBuffer = valuesOf(m_rows[m_current]);
    setState(State::Edit);
    run(afterEdit);
}

void DataSet::setFieldValue(Field &field, const QVariant &value)
{
    if (field.kind() == Field::Kind::Calculated) {
        // Calculated fields are what the calculation handlers write: setting one runs no handler,
        // or a handler that sets one would call itself without end.
        if (isEditing()) {
            m_editBuffer[field.index()] = value;
            return;
        }
        if (m_current >= 0 && m_current < fetchedCount()) {
            store(m_rows[m_current], field.index(), value);
            return;
        }
    }
    if (!isEditing())
        throw DataError(named(m_name, "Dataset not in edit or insert mode"));
    if (field.onValidate)
        field.onValidate(field, value);
    m_editBuffer[field.index()] = value;
    if (field.onChange)
        field.onChange(field);
    if (!onCalcFields.empty() && !m_calculating) {
        m_calculating = true;
        const auto done = qScopeGuard([this] { m_calculating = false; });
        run(onCalcFields);
    }
    emit rowChanged(m_current);
}

void DataSet::post()
{
    if (!isEditing())
        return;
    // What the user typed, before the rules add what follows from it.
    const std::vector<QVariant> typed = m_editBuffer;
    run(beforePost);

    for (const auto &f : m_fields) {
        if (!f->isRequired() || f->kind() != Field::Kind::Data)
            continue;
        // A generator that fills the key on post satisfies the key's requirement.
        if (m_state == State::Insert && m_generatorMoment == GeneratorMoment::OnPost && f->fieldName() == m_generatorField)
            continue;
        const QVariant &v = m_editBuffer[f->index()];
        if (!v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()))
            throw DataError(Translate(QStringLiteral("Field '%1' must have a value")).arg(f->displayLabel()));
    }

    const bool inserting = m_state == State::Insert;
    if (inserting && !m_generator.isEmpty() && m_generatorMoment == GeneratorMoment::OnPost) {
        if (Field *g = findField(m_generatorField); g && (m_editBuffer[g->index()].isNull() || !m_editBuffer[g->index()].isValid()))
            m_editBuffer[g->index()] = nextGeneratorValue();
    }

    // A detail linked by a key that this post changes is posted before the key moves away from it.
    postDetails(true);

    const ParamSql &sql = statementFor(inserting ? Insert : Modify);
    if (sql.isEmpty())
        throw DataError(named(m_name, "Cannot modify a read-only dataset"));
    if (inserting || !writeChangedColumns(typed)) {
        fb::Statement st(*m_transaction, sql.positional());
        bindParams(st, sql.names(), &m_rows[m_current], &m_editBuffer);
        st.execute();
        if (!inserting && st.type() == fb::Statement::Type::Update && st.affectedRows() == 0)
            throw rowGone();
    }
    run(afterWrite);

    Row &row = m_rows[m_current];
    row.packed = nullptr;
    row.values = m_editBuffer;
    m_insertedRow = -1;
    setState(State::Browse);
    // The row is written: the after-post handlers (the commit) run whatever the re-read does, and a
    // failed re-read is reported afterwards, so that no written change is left uncommitted.
    std::exception_ptr rereadFailure;
    try {
        rereadRow(m_current);
    } catch (...) {
        rereadFailure = std::current_exception();
    }
    emit rowChanged(m_current);
    run(afterPost);
    if (rereadFailure)
        std::rethrow_exception(rereadFailure);
    followMasterIfPending();
}

const ModifyStatement &DataSet::modifyStatement() const
{
    const ParamSql &sql = statementFor(Modify);
    if (m_modifyParts.original() != sql.original())
        m_modifyParts = ModifyStatement(sql.original());
    return m_modifyParts;
}

bool DataSet::writeChangedColumns(const std::vector<QVariant> &typed)
{
    // Writing every column would put back the values this user read over what another user has
    // changed since; writing only the changed ones, and only while they still hold what was read,
    // keeps the other user's work and tells this one when both changed the same column.
    const ModifyStatement &modify = modifyStatement();
    if (!modify.isNarrowable())
        return false;
    const Row &row = m_rows[m_current];
    std::vector<int> changed, derived;
    QStringList changedColumns;
    for (int c = 0; c < modify.columns().size(); ++c) {
        const Field *f = findField(modify.columns().at(c));
        if (!f || f->kind() != Field::Kind::Data)
            return false;
        const QVariant &old = stored(row, f->index());
        if (sameValue(m_editBuffer[f->index()], old, false))
            continue;
        changed.push_back(c);
        // A column only the before-post rules changed (a search column kept in step with the number)
        // is the program's, not a user's: it is written without asking what it held.
        if (f->index() < static_cast<int>(typed.size()) && sameValue(typed[f->index()], old, false))
            derived.push_back(c);
        else
            changedColumns << f->fieldName();
    }
    // Nothing changed: nothing is written, so a row another user holds locked does not stop the post.
    if (changed.empty())
        return true;
    const ParamSql &sql = modify.narrowed(changed, derived);
    fb::Statement st(*m_transaction, sql.positional());
    bindParams(st, sql.names(), &row, &m_editBuffer);
    st.execute();
    if (st.affectedRows() == 0)
        refuseConflict(changedColumns);
    return true;
}

void DataSet::refuseConflict(const QStringList &changedColumns)
{
    // The row as it is now, found by the key as it was read, tells a deleted row from a changed one.
    const ParamSql &sql = statementFor(Refresh);
    if (sql.isEmpty())
        throw rowGone();
    const Row &row = m_rows[m_current];
    fb::Statement st(*m_transaction, sql.positional());
    bindParams(st, sql.names(), &row, nullptr);
    st.execute();
    if (!st.fetch())
        throw DataError(
            Translate(QStringLiteral("Teine kasutaja on kirje vahepeal kustutanud. Teie muudatusi ei salvestatud.")));
    for (const QString &name : changedColumns) {
        const int column = st.columnIndex(name);
        const Field &f = field(name);
        if (column >= 0 && !sameValue(st.value(column), stored(row, f.index()), false))
            throw DataError(
                Translate(QStringLiteral("Kirjet on vahepeal teine kasutaja muutnud (veerg '%1'). Teie muudatusi "
                                         "ei salvestatud; tühistage muudatus, värskendage kirjet ja proovige "
                                         "uuesti."))
                    .arg(f.displayLabel()));
    }
    throw DataError(
        Translate(QStringLiteral("Kirjet on vahepeal teine kasutaja muutnud. Teie muudatusi ei salvestatud; "
                                 "tühistage muudatus, värskendage kirjet ja proovige uuesti.")));
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
                store(row, f->index(), st.value(c));
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
        // The new row goes and the one beside it becomes current: the details follow it.
        postDetails(false);
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
    followMasterIfPending();
}

void DataSet::followMasterIfPending()
{
    if (!m_followPending)
        return;
    m_followPending = false;
    masterChanged();
}

void DataSet::remove()
{
    if (!isActive())
        throw DataError(named(m_name, "Cannot perform this operation on a closed dataset"));
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        throw DataError(named(m_name, "Cannot perform this operation on an empty dataset"));
    const RowMark mark = markCurrent();
    run(beforeDelete);
    if (m_state == State::Edit)
        cancel();
    // The handlers may have reopened the dataset: the row the user chose is the one deleted.
    if (!returnTo(mark) || m_current < 0)
        throw rowGone();
    const ParamSql &sql = statementFor(Delete);
    if (sql.isEmpty())
        throw DataError(named(m_name, "Cannot modify a read-only dataset"));
    postDetails(false);
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
