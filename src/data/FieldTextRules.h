#pragma once

#include <QString>

namespace data {

class Field;

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
// Null shows nothing; up to 100 bytes show whole; longer memos show 97 bytes and "..."; line breaks
// show as blanks.
QString PikkKommentVeergGetText(const Field &field, bool forDisplay);
QString PikkKommentText(const QString &memo);

} // namespace data
