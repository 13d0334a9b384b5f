#pragma once

#include <QByteArray>

#include <string>
#include <utility>
#include <vector>

namespace tavrin::fuzz {

/// A ZIP archive in memory holding the files, written with libzip.
QByteArray makeArchive(const std::vector<std::pair<std::string, std::string>>& files);

} // namespace tavrin::fuzz
