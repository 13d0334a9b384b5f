// A child process for the crash test. "churn" keeps changing the library and the settings
// until it is killed; "check" verifies that everything on disk still decodes and prints the
// number of stored books and whether the settings file exists.

#include "common/DataLocation.h"
#include "library/BookCodec.h"
#include "library/LibraryStore.h"
#include "settings/SettingsFile.h"
#include "tokenize/TokenCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include <cstdio>
#include <map>

namespace {

using namespace tavrin;

// Most of the writer's time goes into writing files, so that most kills land inside a write.
[[noreturn]] void churn()
{
    LibraryStore store;
    std::vector<WordToken> tokens(4'000, WordToken{"w\xC3\xB6rd", 2.0, false, 0});
    const std::string encoded = TokenCodec::encode(tokens);
    SettingsData settings;
    std::printf("ready\n");
    std::fflush(stdout);
    for (std::int64_t round = 0;; ++round) {
        if (store.books().size() >= 12) {
            store.removeBook(store.books().front());
        }
        const Book added = *store.addBookEncoded("Book", "Author", "2024", encoded, 4'000, round,
                                                 round % 2 ? std::optional(QByteArray(50'000, 'j'))
                                                           : std::nullopt);
        store.updateProgress(added.id, round);
        for (int step = 0; step < 10; ++step) {
            settings.fontSize = 20.0 + static_cast<double>(step);
            static_cast<void>(SettingsFile::save(SettingsFile::defaultPath(), settings));
        }
    }
}

int fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return 1;
}

int check()
{
    // Every token cache and the settings file must decode.
    const QDir dataDir(DataLocation::appSupportDir());
    std::map<std::string, std::size_t> cacheSizes;
    for (const QString& name : dataDir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        const QString path = dataDir.filePath(name);
        if (name == QStringLiteral("settings.json")) {
            if (!SettingsFile::load(path)) {
                return fail("settings file does not decode");
            }
        } else if (const auto words = TokenCodec::decodeFile(path.toStdString())) {
            cacheSizes[path.toStdString()] = words->size();
        } else {
            return fail("a token cache does not decode");
        }
    }

    // The library must decode, and every book in it must have its whole cache.
    const QByteArray bytes = QSettings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"))
                                 .value(QStringLiteral("tavrin_library_v2"))
                                 .toByteArray();
    std::size_t count = 0;
    if (!bytes.isEmpty()) {
        const auto books = BookCodec::decode(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!books) {
            return fail("library value does not decode");
        }
        for (std::size_t i = 0; i < books->size(); ++i) {
            const auto cache = cacheSizes.find((*books)[i].cachedTokenPath);
            // The oldest book may be half removed: its files deleted, its record not yet
            // saved away. The next start drops such a record.
            const bool whole = cache != cacheSizes.end() &&
                               static_cast<std::int64_t>(cache->second) == (*books)[i].totalWords;
            if (!whole && !(i == 0 && cache == cacheSizes.end())) {
                return fail("a stored book has no whole cache");
            }
        }
        count = books->size();
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
    return args.size() == 2 && args[1] == QStringLiteral("check")
               ? check()
               : fail("usage: crash_helper churn|check");
}
