// A child process for the crash test. "churn" keeps changing the library and the settings
// until it is killed; "check" verifies that everything on disk still decodes and prints the
// number of stored books.

#include "common/DataLocation.h"
#include "common/UuidText.h"
#include "library/BookCodec.h"
#include "library/LibraryStore.h"
#include "settings/SettingsFile.h"
#include "tokenize/TokenCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>
#include <map>
#include <random>

namespace {

using namespace tavrin;

constexpr std::size_t kMaxBooks = 12;

// Most of the writer's time goes into writing files, so that most kills land inside a write.
[[noreturn]] void churn()
{
    LibraryStore store;
    std::mt19937 random(std::random_device{}());
    std::vector<WordToken> tokens;
    for (int i = 0; i < 4'000; ++i) {
        tokens.push_back({"w\xC3\xB6rd" + std::to_string(i), 1.0 + (i % 4), i % 50 == 0, i / 100});
    }
    const std::string encoded = TokenCodec::encode(tokens);
    const auto count = static_cast<std::int64_t>(tokens.size());
    SettingsData settings;
    std::printf("ready\n");
    std::fflush(stdout);
    for (std::int64_t round = 0;; ++round) {
        if (store.books().size() >= kMaxBooks) {
            store.removeBook(store.books().front());
        }
        const Book added = store.addBookEncoded(
            "Book " + std::to_string(round), "Author", "2024", encoded, count, round,
            round % 2 ? std::optional(QByteArray(50'000, 'j')) : std::nullopt);
        store.setLastOpenBook(added.id);
        for (int step = 0; step < 4; ++step) {
            const auto& books = store.books();
            const Book& book = books[random() % books.size()];
            store.updateProgress(book.id, round * 4 + step);
        }
        for (int step = 0; step < 10; ++step) {
            settings.fontSize = 20.0 + static_cast<double>(step);
            settings.orpColor.g = static_cast<double>(round % 7) / 7.0;
            SettingsFile::save(SettingsFile::defaultPath(), settings);
        }
    }
}

int fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    return 1;
}

int check()
{
    // Every token cache in the data directory, and the settings file, must decode.
    const QDir dataDir(DataLocation::appSupportDir());
    std::map<std::string, std::size_t> cacheSizes;
    for (const QString& name : dataDir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        if (name == QStringLiteral("settings.json")) {
            if (!SettingsFile::load(dataDir.filePath(name))) {
                return fail(QStringLiteral("settings file does not decode"));
            }
            continue;
        }
        const std::string path = dataDir.filePath(name).toStdString();
        const auto words = TokenCodec::decodeFile(path);
        if (!words) {
            return fail(QStringLiteral("token cache does not decode: ") + name);
        }
        cacheSizes[path] = words->size();
    }

    // The library value must decode, and every book in it must have its whole cache.
    const QSettings preferences(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    std::size_t count = 0;
    const QVariant library = preferences.value(QStringLiteral("tavrin_library_v2"));
    if (library.isValid()) {
        const QByteArray bytes = library.toByteArray();
        const auto books = BookCodec::decode(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!books) {
            return fail(QStringLiteral("library value does not decode"));
        }
        for (std::size_t i = 0; i < books->size(); ++i) {
            const Book& book = (*books)[i];
            const auto cache = cacheSizes.find(book.cachedTokenPath);
            // The oldest book may be half removed: its files deleted, its record not yet
            // saved away. The next start drops such a record.
            if (cache == cacheSizes.end() && i == 0) {
                continue;
            }
            if (cache == cacheSizes.end() ||
                static_cast<std::int64_t>(cache->second) != book.totalWords) {
                return fail(QStringLiteral("a stored book has no whole cache: ") +
                            QString::fromStdString(book.cachedTokenPath));
            }
        }
        count = books->size();
    }
    const QVariant lastOpen = preferences.value(QStringLiteral("tavrin_last_open"));
    if (lastOpen.isValid() && !UuidText::parse(lastOpen.toString())) {
        return fail(QStringLiteral("last-open value is not a UUID"));
    }
    std::printf("%zu %d\n", count, dataDir.exists(QStringLiteral("settings.json")) ? 1 : 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The store runs in a plain command-line application, with no GUI.
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 && args[1] == QStringLiteral("churn")) {
        churn();
    }
    if (args.size() == 2 && args[1] == QStringLiteral("check")) {
        return check();
    }
    return fail(QStringLiteral("usage: crash_helper churn|check"));
}
