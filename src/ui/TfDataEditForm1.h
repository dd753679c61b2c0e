#pragma once

#include "TfChildBtnBarForm01.h"

class QToolButton;

// The record edit window: one record with save, cancel and delete. The buttons follow the state of
// the record; closing asks whether to save.
class TfDataEditForm1 : public TfChildBtnBarForm01
{
    Q_OBJECT

public:
    explicit TfDataEditForm1(const WindowContext &context, QWidget *parent = nullptr);

    // Binds the window to the dataset of its record.
    void setDataSet(data::DataSet *dataSet);
    data::DataSource *DataSource1() const { return m_source; }
    QWidget *panData() const { return m_panData; }

    // Whether Delete may be offered for the current record (given what the base would say).
    virtual bool CanDelete(bool allowed) { return allowed; }
    // Whether the user agrees to delete: "Kustutame kirje ?".
    virtual bool ConfirmDelete();

    void Save();
    void Cancel();
    void Delete();

protected:
    void updateButtons();

private:
    data::DataSource *m_source;
    QWidget *m_panData;
    QAction *m_save;
    QAction *m_cancel;
    QAction *m_delete;
};
