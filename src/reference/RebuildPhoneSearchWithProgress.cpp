#include "RebuildPhoneSearchWithProgress.h"

#include <QProgressDialog>

#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

int RebuildPhoneSearchWithProgress(data::TData1 &module, QWidget *parent)
{
    data::WaitCursor wait(module.ui());
    QProgressDialog progress(Translate(QStringLiteral("Telefoninumbrite otsingutabeli korrastamine")), QString(), 0, 1,
                             parent);
    progress.setObjectName(QStringLiteral("dlgTelefonOtsinguKorrastus"));
    progress.setWindowTitle(Translate(QStringLiteral("Telefoninumbrite otsingutabeli korrastamine")));
    // No cancel button: the run goes over the whole register at once, as the command promises.
    progress.setCancelButton(nullptr);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    return module.RebuildPhoneSearch([&progress](int done, int total) {
        if (progress.maximum() != total)
            progress.setMaximum(total);
        progress.setValue(done);
    });
}
