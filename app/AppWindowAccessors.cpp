// AppWindow(accessors): setters keep what they are handed, and do nothing when it is what
// they already hold.
#include "app/AppWindow.h"

void AppWindow::setSupporteds(const ArrayPtr& supporteds)
{
    if (_supporteds != supporteds)
        _supporteds = supporteds;
}

void AppWindow::setConnecteds(const ArrayPtr& connecteds)
{
    if (_connecteds != connecteds)
        _connecteds = connecteds;
}

void AppWindow::setViewLastDetailed(QTableView* view)
{
    if (_viewLastDetailed != view)
        _viewLastDetailed = view;
}
