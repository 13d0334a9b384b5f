#include "app/SingleInstance.h"
#include "app/TavrinApp.h"
#include "common/DataLocation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QObject>

#include <chrono>
#include <cstdio>
#include <optional>

namespace {

// A later launch gives up on a reader that does not take its files within this time.
constexpr std::chrono::milliseconds kHandOverTimeout{900};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("tavrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));

    // The command line is read, and a running reader is given the files, without a window
    // system: --help works in any terminal, and a hand-over costs no display connection.
    QStringList files;
    std::optional<tavrin::SingleInstance> instance;
    {
        QCoreApplication core(argc, argv);
        QCommandLineParser parser;
        parser.setApplicationDescription(QStringLiteral(
            "A speed reader: shows a book one word at a time. Each FILE (plain text, PDF or "
            "EPUB) is added to the library unless it is there already, and the last one "
            "opens. With a reader running, the files go to it."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A book to open."),
                                     QStringLiteral("[FILE...]"));
        parser.process(core);
        for (const QString& argument : parser.positionalArguments()) {
            const QFileInfo file(argument);
            files.append(file.absoluteFilePath());
        }

        instance.emplace(tavrin::DataLocation::appSupportDir());
        if (!instance->claim()) {
            for (const QString& path : std::as_const(files)) {
                if (!QFileInfo(path).isReadable()) {
                    std::fprintf(stderr, "tavrin: cannot read %s\n", qPrintable(path));
                }
            }
            if (instance->handOver(files, kHandOverTimeout)) {
                return 0;
            }
            // The holder may have just exited; otherwise it is not answering.
            if (!instance->claim()) {
                std::fprintf(stderr, "tavrin: the running reader does not answer\n");
                return 1;
            }
        }
    }

    QApplication app(argc, argv);
    app.setDesktopFileName(QStringLiteral("io.github.tavrin.Tavrin"));
    // Listening before the library loads keeps a launch that comes meanwhile from waiting;
    // what it sends is read once the event loop runs.
    if (!instance->listen()) {
        std::fprintf(stderr,
                     "tavrin: cannot listen on %s; later launches will not reach "
                     "this reader\n",
                     qPrintable(instance->serverName()));
    }
    tavrin::TavrinApp tavrin;
    QObject::connect(&*instance, &tavrin::SingleInstance::filesReceived, &app,
                     [&tavrin](const QStringList& handed) {
                         tavrin.bringToFront();
                         tavrin.openFiles(handed);
                     });
    tavrin.show();
    tavrin.openFiles(files);
    return app.exec();
}
