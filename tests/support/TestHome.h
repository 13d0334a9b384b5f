#pragma once

#include <QString>
#include <QTemporaryDir>

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
    QString dataDir() const;
    /// The preferences file inside this home.
    QString preferencesFile() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldDataHome;
    QByteArray m_oldConfigHome;
};

} // namespace tavrin::test
