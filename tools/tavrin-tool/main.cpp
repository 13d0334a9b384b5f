// tavrin-tool: the command-line companion to the reader, over the same core. It imports
// files exactly as the application does, and reads and edits the same library, so scripts,
// benchmarks and end-to-end checks see what a reader would.

#include "tokenize/TextParser.h"
#include "tokenize/TokenCodec.h"
#include "tokenize/UnicodeText.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdio>
#include <functional>
#include <map>
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
  --help            Show this help.

A missing or unreadable FILE is reported on standard error with exit status 1.
)";

int fail(const std::string& message)
{
    std::fprintf(stderr, "tavrin-tool: %s\n", message.c_str());
    return 1;
}

std::optional<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<std::vector<tavrin::WordToken>> importTokens(const QString& path)
{
    const auto bytes = readFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    const auto text =
        tavrin::UnicodeText::decodeUtf8File(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
    return text ? tavrin::TextParser::tokenize(*text) : std::vector<tavrin::WordToken>{};
}

int tokensCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("tokens takes one FILE");
    }
    const auto tokens = importTokens(args[0]);
    if (!tokens) {
        return fail("cannot read " + args[0].toStdString());
    }
    const std::string json = tavrin::TokenCodec::encode(*tokens);
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

int countCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("count takes one FILE");
    }
    const auto tokens = importTokens(args[0]);
    if (!tokens) {
        return fail("cannot read " + args[0].toStdString());
    }
    std::printf("%zu\n", tokens->size());
    return 0;
}

int decodeCommand(const QStringList& args)
{
    if (args.size() != 1) {
        return fail("decode takes one CACHEFILE");
    }
    const std::string path = QFile::encodeName(args[0]).toStdString();
    if (!QFile::exists(args[0])) {
        return fail("cannot read " + path);
    }
    const auto tokens = tavrin::TokenCodec::decodeFile(path);
    if (!tokens) {
        return fail("not a valid token cache: " + path);
    }
    std::printf("%zu\n", tokens->size());
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
        {QStringLiteral("tokens"), tokensCommand},
        {QStringLiteral("count"), countCommand},
        {QStringLiteral("decode"), decodeCommand},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        std::fputs(kUsage, stderr);
        return fail("unknown command " + command.toStdString());
    }
    return it->second(args);
}
