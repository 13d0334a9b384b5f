#include "support/TestHome.h"

#include <QFile>
#include <QSettings>

#include <utility>

namespace tavrin::test {

TestHome::TestHome()
{
    for (const auto& [name, path] :
         {std::pair{"HOME", m_dir.path()}, std::pair{"XDG_DATA_HOME", dataHome()},
          std::pair{"XDG_CONFIG_HOME", configHome()}}) {
        m_saved.emplace_back(name, qgetenv(name));
        qputenv(name, QFile::encodeName(path));
    }
    // QSettings caches its per-user search path the first time it is used.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome());
}

TestHome::~TestHome()
{
    for (const auto& [name, value] : m_saved) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
}

} // namespace tavrin::test
