#pragma once

#include "common/Result.h"
#include "common/WriteError.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <map>
#include <optional>

namespace tavrin {

/// The application's per-user preferences, the store QSettings(organization, application)
/// reads (~/.config/<organization>/<application>.conf on Linux). Values are read through
/// QSettings; writes produce the same file, replaced in one step (a temporary file renamed over
/// it), without QSettings' per-write cost (its lock file and disk flushes), so that a large
/// value can be rewritten after every word read. Other keys in the file are kept; where the
/// file holds something this writer cannot reproduce exactly, or on platforms whose native
/// store is not such a file, writes go through QSettings instead.
class PreferencesFile
{
public:
    /// atomic: readers see the old or the new file, whatever happens to the process.
    /// durable: also forced to the disk before it replaces the old file, so that it survives
    /// a power cut.
    enum class Durability
    {
        atomic,
        durable
    };

    PreferencesFile(QString organization, QString application);

    /// The file, or what QSettings names instead on platforms without one.
    QString fileName() const { return m_fileName; }

    /// The value as stored now; an invalid QVariant when the key is absent.
    QVariant value(const QString& key) const;

    /// Sets key (a QByteArray or QString value) and writes the file; a failure wrote nothing.
    Status<WriteError> setValue(const QString& key, const QVariant& value, Durability durability);
    /// Removes key and writes the file; a failure wrote nothing.
    Status<WriteError> remove(const QString& key, Durability durability);

private:
    Status<WriteError> write(const QString& key, const QVariant& value, Durability durability);
    Status<WriteError> writeThroughQSettings(const QString& key, const QVariant& value) const;
    /// The fast path; nothing when the file holds what it cannot reproduce exactly.
    std::optional<Status<WriteError>> writeFile(const QString& key, const QVariant& value,
                                                Durability durability);

    /// What identifies one version of the file: its size and modification time.
    struct Stamp
    {
        std::int64_t size = -1;
        std::int64_t modifiedNs = -1;
        bool operator==(const Stamp&) const = default;
    };

    QString m_organization;
    QString m_application;
    QString m_fileName;
    /// The file's keys as last written here, valid while the file still has m_written.
    std::map<QString, QVariant> m_values;
    Stamp m_written;
};

} // namespace tavrin
