// tavrin-tool: the command-line companion to the reader, over the same core. It imports
// files exactly as the application does, and reads and edits the same library, so scripts,
// benchmarks and end-to-end checks see what a reader would.

#include "common/UuidText.h"
#include "import/DocumentImport.h"
#include "library/BookCodec.h"
#include "library/LibraryStore.h"
#include "tokenize/TokenCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    R"(Usage: tavrin-tool COMMAND [ARGS]

Commands:
  tokens FILE       Import FILE as the reader would and print its tokens as one line of
                    token-cache JSON ([] when nothing can be read from it).
  count FILE        Import FILE and print the number of tokens.
  decode CACHEFILE  Decode a token cache file with the reader's decoder and print the
                    number of tokens; exit status 1 when it is unreadable or invalid.
  info FILE         Import FILE and print one JSON object: "kind" (text, pdf or epub),
                    "title" (as the library would store it), "author", "year",
                    "startIndex", "coverBytes" (0 when none), "tokenCount" and "chapters"
                    (the number of distinct chapters), "contents" (entries the book's
                    own navigation or outline gives); for an EPUB that cannot be read,
                    "error" with the reason (e.g. "noSpineItems", or "io").
  add FILE...       Import each FILE as the reader's library panel does and add it to the
                    library; print each new record as one line of library JSON. A file
                    that yields no words adds nothing (exit status 1). When the reader
                    has no book to reopen, the first book added becomes that book.
  list              Print the library as its stored JSON array.
  remove ID         Remove the book with that id, with its token cache and cover.
  --help            Show this help.

Files are read by their extension: .epub as EPUB, .pdf as PDF, anything else as UTF-8
text. The library is the reader's own (~/.local/share/Tavrin and ~/.config/Tavrin, or
under XDG_DATA_HOME and XDG_CONFIG_HOME). A missing or unreadable FILE, one too large for
the memory left, and any other failure are reported in one line on standard error with
exit status 1.
)";

int fail(const std::string& message)
{
    std::fprintf(stderr, "tavrin-tool: %s\n", message.c_str());
    return 1;
}

bool isReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

// The imported file, or nullopt with the one-line reason it could not be read in why.
std::optional<tavrin::ImportedDocument> importReadable(const QString& path, std::string& why)
{
    auto document = tavrin::importDocument(path);
    if (document.error == tavrin::ImportError::unreadable) {
        why = "cannot read " + path.toStdString();
        return std::nullopt;
    }
    if (document.error == tavrin::ImportError::outOfMemory) {
        why = "out of memory reading " + path.toStdString();
        return std::nullopt;
    }
    return document;
}

void printLine(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

int tokensCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("tokens takes one FILE");
    }
    std::string why;
    const auto document = importReadable(args[0], why);
    if (!document) {
        return fail(why);
    }
    printLine(tavrin::TokenCodec::encode(document->tokens));
    return 0;
}

int countCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("count takes one FILE");
    }
    std::string why;
    const auto document = importReadable(args[0], why);
    if (!document) {
        return fail(why);
    }
    std::printf("%zu\n", document->tokens.size());
    return 0;
}

int decodeCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("decode takes one CACHEFILE");
    }
    const std::string path = QFile::encodeName(args[0]).toStdString();
    if (!isReadableFile(args[0])) {
        return fail("cannot read " + path);
    }
    const auto tokens = tavrin::TokenCodec::decodeFile(path);
    if (!tokens) {
        return fail("not a valid token cache: " + path);
    }
    std::printf("%zu\n", tokens->size());
    return 0;
}

const char* kindName(tavrin::DocumentKind kind)
{
    switch (kind) {
    case tavrin::DocumentKind::epub:
        return "epub";
    case tavrin::DocumentKind::pdf:
        return "pdf";
    case tavrin::DocumentKind::plainText:
        break;
    }
    return "text";
}

int infoCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("info takes one FILE");
    }
    std::string why;
    const auto imported = importReadable(args[0], why);
    if (!imported) {
        return fail(why);
    }
    const tavrin::ImportedDocument& document = *imported;
    std::set<std::int64_t> chapters;
    for (const auto& token : document.tokens) {
        chapters.insert(token.chapterIndex);
    }
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    auto string = [&](const char* key, const std::string& value) {
        writer.Key(key);
        writer.String(value.data(), static_cast<rapidjson::SizeType>(value.size()));
    };
    writer.StartObject();
    string("kind", kindName(document.kind));
    string("title", document.title);
    string("author", document.author);
    string("year", document.year);
    writer.Key("startIndex");
    writer.Int64(document.startIndex);
    writer.Key("coverBytes");
    writer.Int64(document.coverData ? document.coverData->size() : 0);
    writer.Key("tokenCount");
    writer.Uint64(document.tokens.size());
    writer.Key("chapters");
    writer.Uint64(chapters.size());
    writer.Key("contents");
    writer.Uint64(document.contents.size());
    if (document.error && *document.error != tavrin::ImportError::noText) {
        string("error", tavrin::describe(*document.error));
    }
    writer.EndObject();
    printLine(std::string(buffer.GetString(), buffer.GetSize()));
    return 0;
}

int addCommand(const QStringList& args)
{
    if (args.isEmpty()) {
        return fail("add takes one or more FILEs");
    }
    tavrin::LibraryStore library;
    // A library prepared from the command line should open on its book at the next start.
    const auto lastOpen = library.lastOpenBookID();
    bool needsBookToReopen = !lastOpen || !library.find(*lastOpen);
    int status = 0;
    for (const QString& path : args) {
        std::string why;
        const auto document = importReadable(path, why);
        if (!document) {
            status = fail(why);
            continue;
        }
        if (document->tokens.empty()) {
            status = fail("no words in " + path.toStdString() + "; nothing added");
            continue;
        }
        const auto added =
            library.addBook(document->title, document->author, document->year, document->tokens,
                            document->startIndex, document->coverData);
        if (!added) {
            status =
                fail("cannot add " + path.toStdString() + ": " + tavrin::describe(added.error()));
            continue;
        }
        const tavrin::Book& book = *added;
        if (!document->contents.empty()) {
            if (const auto saved = library.saveContents(book, document->contents); !saved) {
                fail("cannot save the contents of " + path.toStdString() + ": " +
                     tavrin::describe(saved.error()));
            }
        }
        if (needsBookToReopen) {
            library.setLastOpenBook(book.id);
            needsBookToReopen = false;
        }
        printLine(tavrin::BookCodec::encodeBook(book).value_or("{}"));
    }
    return status;
}

int listCommand(const QStringList& args)
{
    if (!args.isEmpty()) {
        return fail("list takes no arguments");
    }
    const tavrin::LibraryStore library;
    printLine(tavrin::BookCodec::encode(library.books()).value_or("[]"));
    return 0;
}

int removeCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("remove takes one ID");
    }
    const auto id = tavrin::UuidText::parse(args[0]);
    if (!id) {
        return fail("not a book id: " + args[0].toStdString());
    }
    tavrin::LibraryStore library;
    const tavrin::Book* found = library.find(*id);
    if (!found) {
        return fail("no book with id " + args[0].toStdString());
    }
    // As when the reader removes the book it has open: it is no longer the one to reopen.
    if (library.lastOpenBookID() == *id) {
        library.setLastOpenBook(std::nullopt);
    }
    // A copy: removing the book changes the list the found record lives in.
    const tavrin::Book book = *found;
    library.removeBook(book);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    const QString command = args.takeFirst();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h") ||
        command == QStringLiteral("help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::map<QString, std::function<int(const QStringList&)>> commands{
        {QStringLiteral("tokens"), tokensCommand}, {QStringLiteral("count"), countCommand},
        {QStringLiteral("decode"), decodeCommand}, {QStringLiteral("info"), infoCommand},
        {QStringLiteral("add"), addCommand},       {QStringLiteral("list"), listCommand},
        {QStringLiteral("remove"), removeCommand},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        std::fputs(kUsage, stderr);
        return fail("unknown command " + command.toStdString());
    }
    // Whatever goes wrong ends in one line on standard error and a failure status, never
    // in an abort.
    try {
        return it->second(args);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}
