#include "import/ImportTestFiles.h"

#include "import/EpubBuilder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTimer>

namespace tavrin::test {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeEpub(const QString& path, const MinimalEpub& book)
{
    std::string metadata;
    if (!book.title.empty()) {
        metadata += "<dc:title>" + book.title + "</dc:title>";
    }
    if (!book.author.empty()) {
        metadata += "<dc:creator>" + book.author + "</dc:creator>";
    }
    if (!book.date.empty()) {
        metadata += "<dc:date>" + book.date + "</dc:date>";
    }
    std::vector<ManifestItem> items{{"ch1", "ch1.xhtml"}};
    Files files{{"OEBPS/ch1.xhtml", xhtml("<p>" + book.chapterText + "</p>")}};
    if (book.cover) {
        items.push_back({"cover-image", "cover.jpg", "image/jpeg", "cover-image"});
        files.emplace_back("OEBPS/cover.jpg", book.cover->toStdString());
    }
    return writeFile(
        path, makeEpub("OEBPS/content.opf", packageDocument(items, {"ch1"}, metadata), files));
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    // Wakes the wait below when what done() watches changes off the main thread.
    QTimer tick;
    tick.start(5);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

} // namespace tavrin::test
