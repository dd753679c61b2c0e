#include "DataSetRules.h"

#include "DataError.h"
#include "DataSet.h"
#include "DataSource.h"
#include "fb/Transaction.h"

namespace data {

void SaveChangesAfterPost(DataSet &dataSet)
{
    dataSet.transaction().commitRetaining();
}

void PostMasterBeforeDetChange(DataSet &detail)
{
    DataSet *master = detail.masterSource() ? detail.masterSource()->dataSet() : nullptr;
    if (!master)
        return;
    if (master->isEditing())
        master->post();
    if (!master->isActive() || master->isEmpty())
        throw Abort();
}

void CommitAfterChanges(DataSet &dataSet)
{
    dataSet.afterPost.push_back(SaveChangesAfterPost);
    dataSet.afterDelete.push_back(SaveChangesAfterPost);
}

void PostMasterBeforeDetailChanges(DataSet &detail)
{
    detail.beforeInsert.push_back(PostMasterBeforeDetChange);
    detail.beforeEdit.push_back(PostMasterBeforeDetChange);
    detail.beforeDelete.push_back(PostMasterBeforeDetChange);
}

} // namespace data
