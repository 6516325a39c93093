#include "Widgets/TzVerboseAlertBox.h"

#include "Functions/TzVerboseLogging.h"

#include <QMessageBox>

namespace tz {

void useMessageBoxForVerboseAlert()
{
    setVerboseAlertPresenter([](const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });
}

} // namespace tz
