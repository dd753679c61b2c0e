#pragma once

#include <QString>

class TDBEdit;

namespace data {
class TData1;
}

// The "..." of a code/name pair edit: the selection list over the pair's look-up list, opened on the
// row's current key. The chosen row goes in as its key number, which the name field's look-up rule
// turns into the key and the name. Nothing happens while the edit is disabled or read-only.
bool PickPairName(data::TData1 &module, TDBEdit &nameEdit, const QString &listName, const QString &keyColumn,
                  const QString &caption);
