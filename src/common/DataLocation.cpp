#include "common/DataLocation.h"

#include <QStandardPaths>

namespace tavrin::DataLocation {

QString appSupportDir()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) {
        return {};
    }
    return base + QStringLiteral("/Tavrin/");
}

} // namespace tavrin::DataLocation
