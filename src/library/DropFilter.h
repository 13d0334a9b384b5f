#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tavrin::DropFilter {

/// Whether a file name ends in one of the importable extensions "epub", "txt" or "pdf",
/// in any letter case.
bool hasImportableExtension(const QString& fileName);

/// The local paths of the dropped URLs that name importable files, in drop order; other
/// URLs (web addresses, other extensions) are left out.
QStringList importablePaths(const QList<QUrl>& urls);

} // namespace tavrin::DropFilter
