#include "PrintTable.h"

#include <memory>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QPrinter>
#include <QToolBar>

#include "TableReport.h"
#include "data/Translate.h"

bool PrintTable(data::DataSet *dataSet, const QString &title, const QStringList &columns, bool modalPreview,
                const QString &footerText, bool countPages, const QStringList &groups, const QStringList &sums,
                bool grandTotal, const QString &subtitle, QWidget *parent)
{
    TableReport::Options o;
    if (!title.isEmpty())
        o.title = title;
    o.columns = columns;
    o.footerText = footerText;
    o.countPages = countPages;
    o.groups = groups;
    o.sums = sums;
    o.grandTotal = grandTotal;
    o.subtitle = subtitle;
    auto report = std::make_shared<TableReport>(*dataSet, o);
    if (!report->isPrintable())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        report->build();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();

    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    report->preparePrinter(*printer);
    auto *preview = new QPrintPreviewDialog(printer.get(), parent);
    preview->setWindowTitle(o.title);
    // Maximised where a window manager honours it; the screen's size where none does.
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preview->setGeometry(screen->availableGeometry());
    preview->setWindowState(Qt::WindowMaximized);
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [report](QPrinter *p) { report->print(*p); });
    // Saving the report writes the pages as a PDF file.
    if (auto *bar = preview->findChild<QToolBar *>()) {
        QAction *save = bar->addAction(Translate(QStringLiteral("Salvesta")));
        save->setObjectName(QStringLiteral("saveReport"));
        save->setToolTip(Translate(QStringLiteral("Save")));
        QObject::connect(save, &QAction::triggered, preview, [report, preview] {
            const QString name = QFileDialog::getSaveFileName(preview, Translate(QStringLiteral("Salvesta")), QString(),
                                                              QStringLiteral("PDF (*.pdf)"));
            if (!name.isEmpty())
                report->writePdf(
                    name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? name : name + QStringLiteral(".pdf"));
        });
    }
    // The printer lives as long as the preview that paints on it.
    QObject::connect(preview, &QObject::destroyed, [printer] {});
    if (modalPreview) {
        preview->exec();
        delete preview;
    } else {
        preview->setAttribute(Qt::WA_DeleteOnClose);
        preview->show();
    }
    return true;
}
