#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace tavrin::test {

/// Writes bytes to path; false if that fails.
bool writeFile(const QString& path, const QByteArray& bytes);

/// The parts of a one-chapter EPUB; an empty title leaves dc:title out.
struct MinimalEpub
{
    std::string title;
    std::string author;
    std::string date;
    std::string chapterText;
    std::optional<QByteArray> cover;
};

/// Writes the book as an EPUB (ZIP) archive; false if that fails.
bool writeEpub(const QString& path, const MinimalEpub& book);

/// Runs the event loop until done() holds or the timeout passes; returns done().
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(30));

} // namespace tavrin::test
