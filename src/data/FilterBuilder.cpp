#include "FilterBuilder.h"

#include <map>

#include "DataError.h"
#include "DataSet.h"
#include "Field.h"
#include "Translate.h"
#include "UserInterface.h"
#include "fb/FbError.h"

namespace data {

namespace {

struct Registry
{
    std::map<QString, std::unique_ptr<TMySQLDataSetFilter>> entries;
    UserInterface *ui = nullptr;
};

Registry &registry()
{
    static Registry r;
    return r;
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char(',');
}

bool containsWord(const QString &text, const QString &word)
{
    for (qsizetype pos = text.indexOf(word); pos >= 0; pos = text.indexOf(word, pos + 1)) {
        const qsizetype end = pos + word.size();
        const bool startOk = pos == 0 || isSeparator(text.at(pos - 1));
        const bool endOk = end == text.size() || isSeparator(text.at(end));
        if (startOk && endOk)
            return true;
    }
    return false;
}

} // namespace

void SetFilterUserInterface(UserInterface *ui)
{
    registry().ui = ui;
}

namespace {

void forgetDeadMembers(TMySQLDataSetFilter &entry)
{
    std::erase_if(entry.members, [](const FilterMember &m) { return m.dataSet.isNull(); });
}

void showSqlError(const QString &message)
{
    if (registry().ui)
        registry().ui->showMessage(message, Translate(QStringLiteral("SQL Error")));
}

// Puts the statement into the member's dataset, reopening it when it was open. Returns false (and
// leaves the previous statement in force) when the server rejects it.
bool putStatement(DataSet &ds, const QString &stmt)
{
    const QString current = ds.selectSql();
    if (stmt == current)
        return true;
    const bool wasOpen = ds.isActive();
    ds.close();
    ds.setSelectSql(stmt);
    if (!wasOpen)
        return true;
    try {
        ds.open();
        return true;
    } catch (const fb::FbError &e) {
        showSqlError(e.message());
    } catch (const DataError &e) {
        showSqlError(e.message());
    }
    ds.close();
    ds.setSelectSql(current);
    try {
        ds.open();
    } catch (const fb::FbError &) {
        // The previous statement worked before; if it no longer does, the dataset stays closed.
    }
    return false;
}

bool rewriteMembers(std::vector<FilterMember *> members, const QString &where, const QString &order, bool distinct,
                    const QString &extraTables)
{
    std::vector<std::pair<FilterMember *, QString>> done;
    for (FilterMember *m : members) {
        if (!m->dataSet)
            continue;
        DataSet &ds = *m->dataSet;
        const QString previous = ds.selectSql();
        if (!m->baseSaved && previous.isEmpty())
            continue; // no statement yet: it is taken as the base at the first rewrite that finds one
        if (!m->baseSaved) {
            m->baseStatement = previous;
            m->baseSaved = true;
        }
        if (!putStatement(ds, BuildSelect(m->baseStatement, where, order, distinct, extraTables))) {
            // One rejected statement leaves every dataset of the name on its previous one.
            for (auto &[member, statement] : done)
                if (member->dataSet)
                    putStatement(*member->dataSet, statement);
            return false;
        }
        done.emplace_back(m, previous);
    }
    return true;
}

} // namespace

TMySQLDataSetFilter &FilterFor(DataSet &dataSet)
{
    TMySQLDataSetFilter &entry = FilterForName(dataSet.name());
    forgetDeadMembers(entry);
    for (const FilterMember &m : entry.members)
        if (m.dataSet == &dataSet)
            return entry;
    entry.members.push_back(FilterMember{&dataSet, QString(), false});
    // Conditions registered before the dataset existed (the session's filters, a window opened
    // again, the connection made again) take effect now.
    if (!entry.appliedWhere.isEmpty() || !entry.appliedOrder.isEmpty() || entry.appliedDistinct)
        rewriteMembers({&entry.members.back()}, entry.appliedWhere, entry.appliedOrder, entry.appliedDistinct,
                       entry.appliedTables);
    return entry;
}

TMySQLDataSetFilter &FilterForName(const QString &name)
{
    auto &slot = registry().entries[name];
    if (!slot) {
        slot = std::make_unique<TMySQLDataSetFilter>();
        slot->name = name;
    }
    return *slot;
}

bool ApplyAtoms(TMySQLDataSetFilter &entry, const std::vector<FilterAtom> &atoms, QString *where,
                const QStringList &tables, bool distinct)
{
    BeginFilter(entry);
    QStringList conditions;
    for (const FilterAtom &a : atoms) {
        SetAtom(entry, a.key, a.value, a.shown, a.condition);
        if (!a.condition.isEmpty())
            conditions << a.condition;
    }
    for (const QString &t : tables)
        AddTable(entry, t);
    if (distinct)
        SetDistinct(entry);
    if (!CommitFilter(entry))
        return false;
    if (where)
        *where = conditions.join(QStringLiteral(" AND "));
    return true;
}

void BeginFilter(TMySQLDataSetFilter &entry)
{
    entry.pendingAtoms.reset();
    entry.pendingTables.clear();
    entry.pendingDistinct = false;
    entry.modified = true;
}

void SetAtom(TMySQLDataSetFilter &entry, const QString &key, const QString &value, const QString &shownText,
             const QString &condition)
{
    if (!entry.pendingAtoms)
        entry.pendingAtoms = std::make_unique<FilterAtomList>();
    for (MYSQLFILTERATOM &a : *entry.pendingAtoms) {
        if (a.key == key) {
            a = MYSQLFILTERATOM{key, value, shownText, condition};
            entry.modified = true;
            return;
        }
    }
    entry.pendingAtoms->push_back(MYSQLFILTERATOM{key, value, shownText, condition});
    entry.modified = true;
}

void AddTable(TMySQLDataSetFilter &entry, const QString &table)
{
    const QString name = table.toUpper();
    if (entry.pendingTables.isEmpty())
        entry.pendingTables = name;
    else if (entry.pendingTables != name && !containsWord(entry.pendingTables, name))
        entry.pendingTables += QStringLiteral(", ") + name;
    entry.modified = true;
}

void SetDistinct(TMySQLDataSetFilter &entry)
{
    entry.pendingDistinct = true;
    entry.modified = true;
}

bool CommitFilter(TMySQLDataSetFilter &entry)
{
    if (!entry.modified)
        return true;
    QStringList conditions;
    if (entry.pendingAtoms)
        for (const MYSQLFILTERATOM &a : *entry.pendingAtoms)
            if (!a.condition.isEmpty())
                conditions << a.condition;
    const QString where = conditions.join(QStringLiteral(" AND "));
    if (!RewriteSelect(entry, where, entry.appliedOrder, entry.pendingDistinct, entry.pendingTables))
        return false;
    entry.appliedAtoms = entry.pendingAtoms ? std::move(*entry.pendingAtoms) : FilterAtomList{};
    entry.pendingAtoms.reset();
    entry.appliedTables = entry.pendingTables;
    entry.pendingTables.clear();
    entry.appliedDistinct = entry.pendingDistinct;
    entry.pendingDistinct = false;
    entry.appliedWhere = where;
    entry.modified = false;
    return true;
}

bool FindAtom(const TMySQLDataSetFilter &entry, const QString &key, QString *value, QString *shownText)
{
    for (const MYSQLFILTERATOM &a : entry.appliedAtoms) {
        if (a.key == key) {
            if (value)
                *value = a.value;
            if (shownText)
                *shownText = a.shownText;
            return true;
        }
    }
    return false;
}

bool ApplyWhere(DataSet &dataSet, const QString &where)
{
    TMySQLDataSetFilter &entry = FilterFor(dataSet);
    if (!RewriteSelect(entry, where, entry.appliedOrder, entry.pendingDistinct, entry.pendingTables))
        return false;
    entry.appliedWhere = where;
    return true;
}

bool ApplyOrder(DataSet &dataSet, const QString &order)
{
    TMySQLDataSetFilter &entry = FilterFor(dataSet);
    if (!RewriteSelect(entry, entry.appliedWhere, order, entry.appliedDistinct, entry.appliedTables))
        return false;
    entry.appliedOrder = order;
    return true;
}

void ReopenDataSet(DataSet &dataSet)
{
    if (dataSet.isActive())
        dataSet.reopen();
}

QString BuildSelect(const QString &base, const QString &where, const QString &order, bool distinct,
                    const QString &extraTables)
{
    QString copy = base;
    // Statements are kept as lines; a base without its final line break gets one, so that text
    // appended after it starts on a line of its own.
    if (!copy.isEmpty() && !copy.back().isSpace())
        copy += QLatin1Char('\n');
    QString upper = copy.toUpper();
    if (distinct && !upper.contains(QLatin1String("SELECT DISTINCT "))) {
        const qsizetype p = upper.indexOf(QLatin1String("SELECT "));
        if (p >= 0) {
            copy.replace(p, 7, QStringLiteral("SELECT DISTINCT "));
            upper = copy.toUpper();
        }
    }

    QString stmt;
    if (where.isEmpty()) {
        stmt = copy;
    } else {
        const QString tables = extraTables.isEmpty() ? QString() : QStringLiteral(", ") + extraTables + QLatin1Char(' ');
        const qsizetype wherePos = upper.indexOf(QLatin1String("WHERE "));
        const bool hadWhere = wherePos >= 0;
        qsizetype keyword = wherePos;
        if (!hadWhere) {
            keyword = upper.indexOf(QLatin1String("GROUP BY "));
            if (keyword < 0)
                keyword = upper.indexOf(QLatin1String("ORDER BY "));
        }
        if (keyword < 0) {
            stmt = copy + tables + QStringLiteral("WHERE ") + where + QLatin1Char('\n');
        } else {
            const qsizetype insertAt = hadWhere ? wherePos + 6 : keyword;
            stmt = copy.left(keyword) + tables + copy.mid(keyword, insertAt - keyword);
            if (!hadWhere)
                stmt += QStringLiteral("WHERE ");
            stmt += where;
            stmt += hadWhere ? QStringLiteral(" AND ") : QStringLiteral("\n");
            stmt += copy.mid(insertAt);
        }
    }

    if (!order.isEmpty()) {
        QString o = order;
        for (qsizetype i = 0; i + 1 < o.size(); ++i)
            if (o[i] == QLatin1Char(';'))
                o[i] = QLatin1Char(',');
        const qsizetype cut = stmt.toUpper().indexOf(QLatin1String("ORDER BY "));
        if (cut >= 0)
            stmt.truncate(cut);
        if (!stmt.isEmpty() && !stmt.back().isSpace())
            stmt += QLatin1Char('\n');
        stmt += QStringLiteral("ORDER BY ") + o + QLatin1Char('\n');
    }
    return stmt;
}

bool RewriteSelect(TMySQLDataSetFilter &entry, const QString &where, const QString &order, bool distinct,
                   const QString &extraTables)
{
    // Without a live dataset the applied state is put in force when one registers.
    forgetDeadMembers(entry);
    std::vector<FilterMember *> members;
    for (FilterMember &m : entry.members)
        members.push_back(&m);
    return rewriteMembers(members, where, order, distinct, extraTables);
}

QString SortTextFor(const Field &field)
{
    switch (field.kind()) {
    case Field::Kind::Data:
    case Field::Kind::Computed: return field.origin().isEmpty() ? field.fieldName() : field.origin();
    case Field::Kind::Lookup: return field.keyFields();
    case Field::Kind::Calculated: return QString();
    }
    return QString();
}

void ClearFilterRegistry()
{
    registry().entries.clear();
}

} // namespace data
