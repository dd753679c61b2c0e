#include "TfPyhad.h"

#include <QFormLayout>

#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEditBtn.h"
#include "ui/THDBTitleLabel.h"
#include "ui/TdlgCalendar.h"

TfPyhad::TfPyhad(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent), m_date(new TDBEditBtn(Panel2())), m_name(new TDBEdit(Panel2()))
{
    setObjectName(QStringLiteral("fPyhad"));
    setWindowTitle(Translate(QStringLiteral("Riigipühad")));
    data::DataSet *holidays = context.data ? context.data->dataSet(QStringLiteral("taPyhad")) : nullptr;
    if (holidays) {
        holidays->defineField(QStringLiteral("KUUPAEV")).setDisplayLabel(Translate(QStringLiteral("Kuupäev")));
        holidays->defineField(QStringLiteral("PYHANIMI")).setDisplayLabel(Translate(QStringLiteral("Pühanimetus")));
    }
    if (!setDataSet(holidays))
        return;

    m_date->setObjectName(QStringLiteral("edKuupaev"));
    m_date->bind(DataSource1(), QStringLiteral("KUUPAEV"), context.ui);
    m_name->setObjectName(QStringLiteral("edPyhaNimi"));
    m_name->setMaxLength(70);
    m_name->bind(DataSource1(), QStringLiteral("PYHANIMI"), context.ui);
    auto *form = new QFormLayout(Panel2());
    for (auto [edit, field] : {std::pair<QWidget *, const char *>{m_date, "KUUPAEV"}, {m_name, "PYHANIMI"}}) {
        auto *title = new THDBTitleLabel(Panel2());
        title->bind(DataSource1(), QString::fromLatin1(field));
        title->setBuddy(edit);
        form->addRow(title, edit);
    }
    connect(m_date, &TDBEditBtn::OnBtnClick, this, [this, context] {
        runCommand([this, context] {
            data::Field *f = m_date->link().field();
            QDate date = f ? f->asDate() : QDate();
            if (TdlgCalendar::Run(this, context.data->KalenderText, date,
                                  [context](const QDate &d) { return context.data->IsHoliday(d); }))
                m_date->link().setText(date.toString(QStringLiteral("dd.MM.yyyy")));
        });
    });
}
