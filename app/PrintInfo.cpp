#include "app/PrintInfo.h"

#include <QLocale>
#include <QPageSize>

PrintInfo::PrintInfo()
{
    // Letter where the locale measures in inches, A4 elsewhere; one-inch margins.
    const bool usLetter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    _pageLayout = QPageLayout(QPageSize(usLetter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                              QMarginsF(72, 72, 72, 72), QPageLayout::Point);
}
