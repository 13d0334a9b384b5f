#include "library/DropFilter.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace tavrin::DropFilter {

bool hasImportableExtension(const QString& fileName)
{
    static const std::array<QString, 3> accepted{QStringLiteral("epub"), QStringLiteral("txt"),
                                                 QStringLiteral("pdf")};
    const QString extension = QFileInfo(fileName).suffix().toLower();
    return std::find(accepted.begin(), accepted.end(), extension) != accepted.end();
}

QStringList importablePaths(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && hasImportableExtension(url.path())) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

} // namespace tavrin::DropFilter
