// Print settings: the page layout and whether the printed view is centred on the page,
// horizontally and vertically. The application delegate owns the ones all printouts share.
#pragma once

#include <QPageLayout>

class PrintInfo
{
public:
    // Letter where the locale measures in inches, A4 elsewhere; one-inch margins; centred both ways.
    PrintInfo();

    [[nodiscard]] const QPageLayout& pageLayout() const { return _pageLayout; }
    void setPageLayout(const QPageLayout& layout) { _pageLayout = layout; }
    [[nodiscard]] bool isHorizontallyCentered() const { return _horizontallyCentered; }
    void setHorizontallyCentered(bool centered) { _horizontallyCentered = centered; }
    [[nodiscard]] bool isVerticallyCentered() const { return _verticallyCentered; }
    void setVerticallyCentered(bool centered) { _verticallyCentered = centered; }

private:
    QPageLayout _pageLayout;
    bool _horizontallyCentered = true;
    bool _verticallyCentered = true;
};
