#pragma once

#include <QString>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace tavrin::test {

/// A fresh temporary home for one test: points HOME and the XDG data and config
/// directories at it, so the library, preferences and settings never touch a real user's
/// files. The previous environment is restored when it goes out of scope.
class TestHome
{
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return m_dir.path(); }
    /// The application's data directory inside this home ("…/share/Tavrin").
    QString dataDir() const { return dataHome() + QStringLiteral("/Tavrin"); }
    /// The preferences file inside this home.
    QString preferencesFile() const { return configHome() + QStringLiteral("/Tavrin/Tavrin.conf"); }

private:
    QString dataHome() const { return m_dir.path() + QStringLiteral("/share"); }
    QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }

    QTemporaryDir m_dir;
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

} // namespace tavrin::test
