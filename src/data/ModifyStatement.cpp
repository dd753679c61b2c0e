#include "ModifyStatement.h"

#include "SqlHelpers.h"

#include <algorithm>

#include <QRegularExpression>

namespace data {

namespace {

struct Token
{
    enum Kind { Word, Comma, Other } kind;
    qsizetype start;
    qsizetype end;
};

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// The text with each comment replaced by a blank, so that none ends up inside an assignment or cuts
// off what is added after the condition.
QString withoutComments(const QString &sql)
{
    QString text;
    text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = SqlQuotedEnd(sql, i);
            text += QStringView(sql).mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype e = sql.indexOf(QLatin1Char('\n'), i);
            text += QLatin1Char(' ');
            i = e < 0 ? n : e;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype e = sql.indexOf(QLatin1String("*/"), i + 2);
            text += QLatin1Char(' ');
            i = e < 0 ? n : e + 2;
        } else {
            text += c;
            ++i;
        }
    }
    return text;
}

// The words and commas of comment-free text outside quotes and parentheses: only there do the keywords and the
// separators of the assignments stand.
std::vector<Token> topLevelTokens(const QString &sql)
{
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    int depth = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = SqlQuotedEnd(sql, i);
            if (depth == 0)
                tokens.push_back({Token::Other, i, std::min(j + 1, n)});
            i = j + 1;
        } else if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
        } else if (c == QLatin1Char(')')) {
            --depth;
            ++i;
        } else if (isNameStart(c) || (c == QLatin1Char(':') && i + 1 < n && isNameStart(sql.at(i + 1)))) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql.at(j)))
                ++j;
            if (depth == 0)
                tokens.push_back({c == QLatin1Char(':') ? Token::Other : Token::Word, i, j});
            i = j;
        } else if (isNameChar(c)) {
            // A number, with whatever letters follow its digits.
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql.at(j)))
                ++j;
            if (depth == 0)
                tokens.push_back({Token::Other, i, j});
            i = j;
        } else {
            if (depth == 0 && !c.isSpace())
                tokens.push_back({c == QLatin1Char(',') ? Token::Comma : Token::Other, i, i + 1});
            ++i;
        }
    }
    return tokens;
}

} // namespace

ModifyStatement::ModifyStatement(const QString &original)
    : m_original(original)
{
    const QString sql = withoutComments(original);
    const std::vector<Token> tokens = topLevelTokens(sql);
    auto word = [&](size_t t) {
        return tokens[t].kind == Token::Word ? sql.mid(tokens[t].start, tokens[t].end - tokens[t].start).toUpper()
                                             : QString();
    };
    if (tokens.size() < 4 || word(0) != QLatin1String("UPDATE") || word(1) == QLatin1String("OR"))
        return;
    size_t set = 0;
    size_t where = 0;
    for (size_t t = 1; t < tokens.size(); ++t) {
        const QString w = word(t);
        if (set == 0 && w == QLatin1String("SET")) {
            set = t;
        } else if (set != 0 && where == 0 && w == QLatin1String("WHERE")) {
            where = t;
        } else if (where != 0 && (w == QLatin1String("RETURNING") || w == QLatin1String("PLAN") ||
                                  w == QLatin1String("ORDER") || w == QLatin1String("ROWS"))) {
            // The condition is not the end of the statement: there is nowhere to add to it.
            return;
        }
    }
    if (set == 0 || where == 0)
        return;

    // The assignments lie between SET and WHERE, separated by the commas outside parentheses.
    std::vector<qsizetype> bounds{tokens[set].end};
    for (size_t t = set + 1; t < where; ++t)
        if (tokens[t].kind == Token::Comma)
            bounds.push_back(tokens[t].end);
    bounds.push_back(tokens[where].start + 1);

    static const QRegularExpression assignment(QStringLiteral(
        "^((?:[A-Za-z_][A-Za-z0-9_$]*|\"[^\"]+\")\\.)?([A-Za-z_][A-Za-z0-9_$]*|\"[A-Za-z_][A-Za-z0-9_$]*\")"
        "\\s*=\\s*:([A-Za-z_][A-Za-z0-9_$]*)$"));
    QStringList assignments, columnTexts, columns;
    for (size_t b = 0; b + 1 < bounds.size(); ++b) {
        const QString text = sql.mid(bounds[b], bounds[b + 1] - bounds[b] - 1).trimmed();
        const QRegularExpressionMatch m = assignment.match(text);
        if (!m.hasMatch())
            return;
        QString column = m.captured(2);
        column = column.startsWith(QLatin1Char('"')) ? column.mid(1, column.size() - 2) : column.toUpper();
        const QString param = m.captured(3).toUpper();
        // The old value of the column is read into the field of the parameter: they must be one.
        if (column != param || param.startsWith(QLatin1String("OLD_")) || columns.contains(column))
            return;
        assignments << text;
        columnTexts << m.captured(1) + m.captured(2);
        columns << column;
    }
    const QString condition = sql.mid(tokens[where].end).trimmed();
    if (columns.isEmpty() || condition.isEmpty())
        return;

    m_head = sql.left(tokens[set].end) + QLatin1Char(' ');
    m_assignments = assignments;
    m_columnTexts = columnTexts;
    m_columns = columns;
    m_condition = condition;
    m_narrowable = true;
}

const ParamSql &ModifyStatement::narrowed(const std::vector<int> &changed, const std::vector<int> &unchecked) const
{
    QString key;
    for (int c : changed)
        key += QString::number(c) + QLatin1Char(',');
    key += QLatin1Char('/');
    for (int c : unchecked)
        key += QString::number(c) + QLatin1Char(',');
    if (auto it = m_built.constFind(key); it != m_built.constEnd())
        return *it;
    QStringList sets;
    QString where = QStringLiteral(" where (") + m_condition + QLatin1Char(')');
    for (int c : changed) {
        sets << m_assignments.at(c);
        if (std::find(unchecked.begin(), unchecked.end(), c) != unchecked.end())
            continue;
        // Firebird 3 compares text and binary blobs by their whole contents here, so memo columns
        // take part in the check like any other column.
        where += QStringLiteral(" and ") + m_columnTexts.at(c) + QStringLiteral(" is not distinct from :OLD_") +
                 m_columns.at(c);
    }
    return *m_built.insert(key, ParamSql(m_head + sets.join(QStringLiteral(", ")) + where));
}

} // namespace data
