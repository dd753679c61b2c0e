#pragma once

#include <QString>

class TfChildBtnBarForm01;

namespace data {
class DataSource;
} // namespace data

// The "..." of a date field: the calendar opens on the field's date (today when it has none); on OK
// the record goes into edit and the chosen date is written into the field as typed text, so that the
// field's rules see it as the user's; Cancel changes nothing. False when nothing was written.
bool ChooseDateForField(TfChildBtnBarForm01 &window, data::DataSource &source, const QString &fieldName);
