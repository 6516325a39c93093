// The top-level widgets of an interface file (a Qt Designer layout) in the main bundle.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace tz {

// Loads "<name>.ui", found as the main bundle's resource of that name, and gives its top-level
// widget (a layout has one). The widgets have no parent: the caller is their only keeper. The
// owner is recorded on each as the property "NSOwner" (a QPointer<QObject>, null once the owner
// is gone) rather than made their parent. Nothing (nullopt) when the file is missing or cannot
// be loaded. Needs a QApplication.
[[nodiscard]] std::optional<std::vector<std::unique_ptr<QWidget>>> topLevelItemsLoadedFromNibNamed(const QString& name,
                                                                                                   QObject* owner);

} // namespace tz
