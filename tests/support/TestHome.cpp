#include "support/TestHome.h"

#include <QDir>
#include <QSettings>

#include <utility>

namespace tavrin::test {

TestHome::TestHome()
    : m_oldHome(qgetenv("HOME")), m_oldDataHome(qgetenv("XDG_DATA_HOME")),
      m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/share")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/config")));
    // QSettings caches its per-user search path the first time it is used.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       m_dir.path() + QStringLiteral("/config"));
}

TestHome::~TestHome()
{
    for (const auto& [name, value] :
         {std::pair{"HOME", m_oldHome}, std::pair{"XDG_DATA_HOME", m_oldDataHome},
          std::pair{"XDG_CONFIG_HOME", m_oldConfigHome}}) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
}

QString TestHome::dataDir() const
{
    return m_dir.path() + QStringLiteral("/share/Tavrin");
}

QString TestHome::preferencesFile() const
{
    return m_dir.path() + QStringLiteral("/config/Tavrin/Tavrin.conf");
}

} // namespace tavrin::test
