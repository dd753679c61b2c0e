#pragma once

class QWidget;

namespace data {
class TData1;
}

// Puts the telephone search columns of every client and contact person in step with their numbers,
// with a progress bar over all of them. Returns the rows written; the first error is thrown on, and
// the rows written before it stay.
int RebuildPhoneSearchWithProgress(data::TData1 &module, QWidget *parent);
