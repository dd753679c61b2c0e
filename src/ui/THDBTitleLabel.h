#pragma once

#include <QChar>
#include <QLabel>

#include "DataLink.h"

// A label showing a field's display label, renewed whenever the dataset's fields change. With an
// accelerator character, "&" goes before its first occurrence (letter case ignored).
class THDBTitleLabel : public QLabel
{
    Q_OBJECT

public:
    explicit THDBTitleLabel(QWidget *parent = nullptr);

    void bind(data::DataSource *source, const QString &fieldName);
    void setAccelChar(QChar c);
    QChar accelChar() const { return m_accel; }
    void refresh();

private:
    DataLink m_link;
    QChar m_accel;
};
