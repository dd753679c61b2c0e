#pragma once

#include <QFormLayout>
#include <QLabel>
#include <QString>

#include "ui/THDBTitleLabel.h"

namespace data {
class DataSource;
}

// One row of a record tab: the field's title beside its control. The title is the field's display
// label, renewed with the language, unless the record tab words it otherwise.
inline void AddRecordRow(QFormLayout *form, data::DataSource *source, const char *field, QWidget *control,
                         const QString &caption = QString())
{
    QLabel *title = nullptr;
    if (caption.isEmpty()) {
        auto *label = new THDBTitleLabel(form->parentWidget());
        label->bind(source, QString::fromLatin1(field));
        title = label;
    } else {
        title = new QLabel(caption, form->parentWidget());
    }
    title->setBuddy(control);
    form->addRow(title, control);
}
