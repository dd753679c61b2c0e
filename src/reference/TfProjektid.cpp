#include "TfProjektid.h"

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEdit.h"
#include "ui/TDBMemo.h"

TfProjektid::TfProjektid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_name(nullptr)
    , m_comment(new TDBMemo(Panel2()))
    , m_active(new TDBCheckBox(Translate(QStringLiteral("Aktiivne")), Panel2()))
{
    setObjectName(QStringLiteral("fProjektid"));
    setWindowTitle(Translate(QStringLiteral("Projektid")));
    data::DataSet *projects = context.data ? context.data->dataSet(QStringLiteral("taProjektid")) : nullptr;
    if (projects) {
        for (const auto &[field, label] : {std::pair<const char *, const char *>{"PROJID", "ProjID"},
                                           {"PROJNIMI", "ProjNimi"},
                                           {"PROJKOMMENT", "ProjKomment"},
                                           {"PROJURL", "ProjURL"},
                                           {"PROJAKTIIVNE", "Aktiivne"},
                                           {"VALISLIIN1", "VälisLiin1"},
                                           {"VALISLIIN2", "VälisLiin2"},
                                           {"MEIELIIN1", "MeieLiin1"},
                                           {"MEIELIIN2", "MeieLiin2"}})
            projects->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(label)));
    }
    if (!setDataSet(projects))
        return;

    auto *form = new QFormLayout(Panel2());
    auto edit = [&](const char *field, const char *name, int length, const char *caption = nullptr) {
        auto *e = new TDBEdit(Panel2());
        e->setObjectName(QString::fromLatin1(name));
        if (length > 0)
            e->setMaxLength(length);
        e->bind(DataSource1(), QString::fromLatin1(field), context.ui);
        AddRecordRow(form, DataSource1(), field, e, caption ? Translate(QString::fromUtf8(caption)) : QString());
        return e;
    };
    edit("PROJID", "edProjId", 0);
    m_name = edit("PROJNIMI", "edProjNimi", 60);
    edit("PROJURL", "edProjUrl", 100);
    m_comment->setObjectName(QStringLiteral("mmProjKomment"));
    m_comment->bind(DataSource1(), QStringLiteral("PROJKOMMENT"), context.ui);
    m_comment->setMaximumHeight(90);
    AddRecordRow(form, DataSource1(), "PROJKOMMENT", m_comment);
    // The record tab names the lines by what they are: telephone numbers.
    edit("VALISLIIN1", "edValisLiin1", 20, "VälisTelef1");
    edit("VALISLIIN2", "edValisLiin2", 20, "VälisTelef2");
    edit("MEIELIIN1", "edMeieLiin1", 20, "MeieTelef1");
    edit("MEIELIIN2", "edMeieLiin2", 20, "MeieTelef2");
    m_active->setObjectName(QStringLiteral("cbAktiivne"));
    m_active->bind(DataSource1(), QStringLiteral("PROJAKTIIVNE"), context.ui);
    form->addRow(QString(), m_active);
}
