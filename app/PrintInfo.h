// The print settings all printouts of the program share: the page layout and whether the
// printed view is centred on the page, horizontally and vertically.
#pragma once

#include <QPageLayout>

class PrintInfo
{
public:
    // The one instance of the program (main thread only).
    [[nodiscard]] static PrintInfo& sharedPrintInfo();

    [[nodiscard]] const QPageLayout& pageLayout() const { return _pageLayout; }
    void setPageLayout(const QPageLayout& layout) { _pageLayout = layout; }
    [[nodiscard]] bool isHorizontallyCentered() const { return _horizontallyCentered; }
    void setHorizontallyCentered(bool centered) { _horizontallyCentered = centered; }
    [[nodiscard]] bool isVerticallyCentered() const { return _verticallyCentered; }
    void setVerticallyCentered(bool centered) { _verticallyCentered = centered; }

private:
    PrintInfo();

    QPageLayout _pageLayout;
    bool _horizontallyCentered = true;
    bool _verticallyCentered = true;
};
