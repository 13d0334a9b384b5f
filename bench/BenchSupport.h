#pragma once

#include <QFile>
#include <QSettings>
#include <QString>

#include <benchmark/benchmark.h>

#include <functional>

namespace tavrin::bench {

/// Points HOME and the XDG data and config directories at dir, so that a benchmark's
/// library, preferences and settings never touch the user's own.
inline void useHome(const QString& dir)
{
    qputenv("HOME", QFile::encodeName(dir));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir + QStringLiteral("/share")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir + QStringLiteral("/config")));
    // QSettings keeps its per-user search path from the first time it is used.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       dir + QStringLiteral("/config"));
}

/// The body of a benchmark's main(): the application object (on the offscreen platform
/// unless another is named), then the registered benchmarks. prepare runs once the
/// application exists, outside every timing.
template<typename Application>
int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (prepare) {
        prepare();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tavrin::bench
