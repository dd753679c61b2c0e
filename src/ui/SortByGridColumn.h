#pragma once

class TDBGrid;

namespace data {
class UserInterface;
}

// Sorts the grid's dataset by the selected column, keeping its filter: the column's table and name
// for a data field, the key fields for a look-up field, nothing for a calculated one. With no column
// selected the user is told "Ühtegi välja pole valitud !" and false is returned.
bool SortByGridColumn(TDBGrid &grid, data::UserInterface *ui);
