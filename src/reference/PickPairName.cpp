#include "PickPairName.h"

#include "data/DataSet.h"
#include "data/TData1.h"
#include "data/UserInterface.h"
#include "ui/TDBEdit.h"

bool PickPairName(data::TData1 &module, TDBEdit &nameEdit, const QString &listName, const QString &keyColumn,
                  const QString &caption)
{
    data::DataSet *row = nameEdit.link().dataSet();
    data::DataSet *list = module.dataSet(listName);
    data::UserInterface *ui = nameEdit.link().userInterface();
    if (!nameEdit.isEnabled() || nameEdit.isReadOnly() || !row || !row->isActive() || !list || !ui)
        return false;
    if (!list->isActive())
        list->open();
    data::RecordChoice choice;
    choice.caption = caption;
    choice.dataSet = list;
    choice.keyField = keyColumn;
    if (const data::Field *key = row->findField(keyColumn))
        choice.currentKey = key->text();
    QString chosen;
    if (!ui->selectRecord(choice, chosen) || chosen.isEmpty())
        return false;
    return nameEdit.link().setText(chosen);
}
