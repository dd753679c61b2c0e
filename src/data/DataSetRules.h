#pragma once

namespace data {

class DataSet;

// Commits the dataset's transaction and keeps its context, so that the change is visible to other
// users at once and every open dataset stays open and positioned. Called after every post and delete.
void SaveChangesAfterPost(DataSet &dataSet);

// Before a detail row is inserted, edited or deleted: a master being edited is posted first; with no
// master row the detail action is abandoned silently.
void PostMasterBeforeDetChange(DataSet &detail);

// Attaches SaveChangesAfterPost to the dataset's after-post and after-delete events.
void CommitAfterChanges(DataSet &dataSet);
// Attaches PostMasterBeforeDetChange to the detail's before-insert, before-edit and before-delete events.
void PostMasterBeforeDetailChanges(DataSet &detail);

} // namespace data
