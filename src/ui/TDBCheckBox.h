#pragma once

#include <QCheckBox>

#include "DataLink.h"

// A check box bound to a yes/no field: checked for "Y"; a click stores "Y" or "N".
class TDBCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit TDBCheckBox(const QString &caption, QWidget *parent = nullptr);

    DataLink &link() { return m_link; }
    void bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui);

private:
    void showValue();

    DataLink m_link;
    bool m_showing = false;
};
