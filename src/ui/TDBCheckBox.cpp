#include "TDBCheckBox.h"

#include "data/Field.h"

TDBCheckBox::TDBCheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent), m_link(this)
{
    connect(&m_link, &DataLink::changed, this, &TDBCheckBox::showValue);
    connect(this, &QCheckBox::clicked, this, [this](bool on) {
        if (!m_link.setText(on ? QStringLiteral("Y") : QStringLiteral("N")))
            showValue();
    });
}

void TDBCheckBox::bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui)
{
    m_link.setUserInterface(ui);
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void TDBCheckBox::showValue()
{
    if (m_showing)
        return;
    m_showing = true;
    data::Field *f = m_link.field();
    setChecked(f && f->asString() == QLatin1String("Y"));
    setEnabled(m_link.canModify());
    m_showing = false;
}
