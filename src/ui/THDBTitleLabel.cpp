#include "THDBTitleLabel.h"

#include "data/Field.h"

THDBTitleLabel::THDBTitleLabel(QWidget *parent) : QLabel(parent), m_link(this)
{
    connect(&m_link, &DataLink::changed, this, &THDBTitleLabel::refresh);
}

void THDBTitleLabel::bind(data::DataSource *source, const QString &fieldName)
{
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void THDBTitleLabel::setAccelChar(QChar c)
{
    m_accel = c.isNull() ? QChar() : c.toUpper();
    refresh();
}

void THDBTitleLabel::refresh()
{
    const data::Field *f = m_link.field();
    QString text = f ? f->displayLabel() : QString();
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (!m_accel.isNull()) {
        const qsizetype at = text.indexOf(m_accel, 0, Qt::CaseInsensitive);
        if (at >= 0)
            text.insert(at, QLatin1Char('&'));
    }
    setText(text);
}
