#pragma once

#include <QString>
#include <QStringList>

#include "Field.h"

namespace data {

class DataSet;

// Text rules shared by many datasets, attached to fields by name.

// Empty text stores null; any other text is stored as typed.
void VeergSetEmptyText(Field &field, const QString &text);
void OnKoodSetText(Field &field, const QString &text);
// Empty text stores "N"; a first character (upper-cased) of Y, T, J, 1 or + stores "Y", anything else "N".
void MyBoolFieldSetText(Field &field, const QString &text);
// Dates typed with ": . , / -" between day, month and year; empty text stores null.
void OnMyKuupSetText(Field &field, const QString &text);
// Times typed with ": . ,"; empty text stores null.
void OnMyKellaaegSetText(Field &field, const QString &text);
// A null time shows as empty text, otherwise hours and minutes.
QString OnMyKellaAegGetText(const Field &field, bool forDisplay);
// The typed text becomes the memo's whole text.
void MemoVeergSetText(Field &field, const QString &text);
// In grids: null shows nothing; up to 100 bytes show whole; longer memos show 97 bytes and "...";
// line breaks show as blanks. In edits the whole memo.
QString PikkKommentVeergGetText(const Field &field, bool forDisplay);
QString PikkKommentText(const QString &memo);

// Attaches the date, time, memo and yes/no rules to a dataset's fields by their column types, each
// time it opens (fields that have a set-text rule already keep theirs).
void AttachTextRulesByType(DataSet &dataSet);
// Attaches one set-text rule to the named fields (defining them when the dataset has not opened yet).
void AttachTextRule(DataSet &dataSet, const QStringList &fieldNames, const Field::SetTextHandler &rule);

} // namespace data
