#include "Widgets/TzNSBundleTopLevelItems.h"

#include "Foundation_Additions/NSBundle/ResourcePath.h"

#include <QFile>
#include <QPointer>
#include <QUiLoader>

namespace tz {

std::optional<std::vector<std::unique_ptr<QWidget>>> topLevelItemsLoadedFromNibNamed(const QString& name,
                                                                                     QObject* owner)
{
    const QString path = ResourcePath(name + QStringLiteral(".ui"));
    if (path.isNull())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QUiLoader loader;
    std::unique_ptr<QWidget> widget(loader.load(&file, nullptr));
    if (!widget)
        return std::nullopt;
    widget->setProperty("NSOwner", QVariant::fromValue(QPointer<QObject>(owner)));
    std::vector<std::unique_ptr<QWidget>> items;
    items.push_back(std::move(widget));
    return items;
}

} // namespace tz
