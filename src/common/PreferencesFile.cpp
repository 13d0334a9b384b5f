#include "common/PreferencesFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <optional>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#define TAVRIN_PREFERENCES_AS_INI_FILE 1
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrin {

namespace {

#ifdef TAVRIN_PREFERENCES_AS_INI_FILE

// Appends the text QSettings' INI reader turns back into exactly the concatenation of parts.
// The rules are those of QSettings' own writer: control characters, quotes and backslashes are
// escaped (a hex or octal escape makes the reader take every hex digit that follows, so those
// are escaped too); a value holding ';', ',' or '=' or starting or ending with a space is
// quoted; byte arrays escape every byte from 0x7F up, since they are read back as Latin-1.
void appendEscaped(QByteArray& out, std::initializer_list<QByteArrayView> parts,
                   bool escapeHighBytes)
{
    // Per byte: 0 plain, 1 escaped in byte arrays only, 2 always escaped.
    static constexpr auto kClass = [] {
        std::array<unsigned char, 256> table{};
        for (std::size_t c = 0; c < table.size(); ++c) {
            table[c] = (c < 0x20 || c == '"' || c == '\\') ? 2 : c >= 0x7F ? 1 : 0;
        }
        return table;
    }();
    const unsigned char escapedFrom = escapeHighBytes ? 1 : 2;
    const auto isHexDigit = [](unsigned char ch) {
        return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    };

    qsizetype total = 0;
    bool needsQuotes = false;
    char firstByte = 0;
    char lastByte = 0;
    for (const QByteArrayView part : parts) {
        if (part.isEmpty()) {
            continue;
        }
        if (total == 0) {
            firstByte = part.front();
        }
        lastByte = part.back();
        total += part.size();
        needsQuotes = needsQuotes || part.contains(';') || part.contains(',') || part.contains('=');
    }
    needsQuotes = needsQuotes || firstByte == ' ' || lastByte == ' ';

    const qsizetype start = out.size();
    // At most four output bytes per input byte ("\xff"), and the quotes.
    out.resize(start + 4 * total + 2);
    char* p = out.data() + start;
    const auto appendHex = [&p](unsigned char ch) {
        static constexpr char kDigits[] = "0123456789abcdef";
        *p++ = '\\';
        *p++ = 'x';
        if (ch >= 16) {
            *p++ = kDigits[ch / 16];
        }
        *p++ = kDigits[ch % 16];
    };

    if (needsQuotes) {
        *p++ = '"';
    }
    bool escapeHexDigits = false;
    for (const QByteArrayView part : parts) {
        const auto* in = reinterpret_cast<const unsigned char*>(part.data());
        const auto* const end = in + part.size();
        while (in != end) {
            if (escapeHexDigits) {
                if (isHexDigit(*in)) {
                    appendHex(*in++);
                    continue;
                }
                escapeHexDigits = false;
            }
            const auto* const run = in;
            while (in != end && kClass[*in] < escapedFrom) {
                ++in;
            }
            std::memcpy(p, run, static_cast<std::size_t>(in - run));
            p += in - run;
            if (in == end) {
                break;
            }
            const unsigned char ch = *in++;
            switch (ch) {
            case '\0':
                *p++ = '\\';
                *p++ = '0';
                escapeHexDigits = true;
                break;
            case '\a':
            case '\b':
            case '\t':
            case '\n':
            case '\v':
            case '\f':
            case '\r': {
                static constexpr char kLetters[] = "abtnvfr";
                *p++ = '\\';
                *p++ = kLetters[ch - '\a'];
                break;
            }
            case '"':
            case '\\':
                *p++ = '\\';
                *p++ = static_cast<char>(ch);
                break;
            default:
                appendHex(ch);
                escapeHexDigits = true;
            }
        }
    }
    if (needsQuotes) {
        *p++ = '"';
    }
    out.resize(p - out.constData());
}

// Appends QSettings' text for a value: byte arrays as "@ByteArray(…)", strings as they are
// (behind a second '@' when they start with one, inside "@String(…)" when they hold a NUL
// character). False for other types.
bool appendValue(QByteArray& out, const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        appendEscaped(out, {"@ByteArray(", bytes, ")"}, true);
        return true;
    }
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString();
        if (text.contains(QChar::Null)) {
            text = QStringLiteral("@String(") + text + u')';
        } else if (text.startsWith(u'@')) {
            text.prepend(u'@');
        }
        appendEscaped(out, {text.toUtf8()}, false);
        return true;
    }
    return false;
}

// Keys this writer spells exactly as QSettings does: top-level, and made only of characters
// that QSettings writes unescaped.
bool isPlainKey(const QString& key)
{
    if (key.isEmpty()) {
        return false;
    }
    for (const QChar c : key) {
        const char16_t ch = c.unicode();
        const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                           (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.';
        if (!plain) {
            return false;
        }
    }
    return true;
}

std::optional<QByteArray> iniFile(const std::map<QString, QVariant>& values)
{
    QByteArray out;
    if (values.empty()) {
        return out;
    }
    out += "[General]\n";
    for (const auto& [key, value] : values) {
        if (!isPlainKey(key)) {
            return std::nullopt;
        }
        out += key.toLatin1();
        out += '=';
        if (!appendValue(out, value)) {
            return std::nullopt;
        }
        out += '\n';
    }
    return out;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

#endif

} // namespace

PreferencesFile::PreferencesFile(QString organization, QString application)
    : m_organization(std::move(organization)), m_application(std::move(application)),
      m_fileName(QSettings(m_organization, m_application).fileName())
{}

QVariant PreferencesFile::value(const QString& key) const
{
    return QSettings(m_organization, m_application).value(key);
}

Status<WriteError> PreferencesFile::setValue(const QString& key, const QVariant& value,
                                             Durability durability)
{
    return write(key, value, durability);
}

Status<WriteError> PreferencesFile::remove(const QString& key, Durability durability)
{
    return write(key, QVariant(), durability);
}

Status<WriteError> PreferencesFile::write(const QString& key, const QVariant& value,
                                          Durability durability)
{
    if (auto written = writeFile(key, value, durability)) {
        return *written;
    }
    m_written = {};
    return writeThroughQSettings(key, value);
}

Status<WriteError> PreferencesFile::writeThroughQSettings(const QString& key,
                                                          const QVariant& value) const
{
    QSettings settings(m_organization, m_application);
    if (value.isValid()) {
        settings.setValue(key, value);
    } else {
        settings.remove(key);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        return settings.status() == QSettings::AccessError ? WriteError::notWritable
                                                           : WriteError::failed;
    }
    return {};
}

#ifdef TAVRIN_PREFERENCES_AS_INI_FILE
std::optional<Status<WriteError>>
PreferencesFile::writeFile(const QString& key, const QVariant& value, Durability durability)
{
    const QFileInfo info(m_fileName);
    if (!info.isAbsolute()) {
        return std::nullopt;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        return Status<WriteError>(WriteError::notWritable);
    }
    // No lock file: QSettings' own would force a disk flush on every write. Each write replaces
    // the whole file in one rename, so a concurrent writer can only win or lose, never tear it.
    const QByteArray path = QFile::encodeName(m_fileName);
    struct stat before
    {};
    const bool exists = ::stat(path.constData(), &before) == 0;
    const Stamp current =
        exists ? Stamp{before.st_size, nanoseconds(before.st_mtim)} : Stamp{0, -1};
    if (current != m_written) {
        // Written by someone else since (or never written here): start from what it holds.
        const QSettings settings(m_organization, m_application);
        if (settings.status() != QSettings::NoError) {
            return std::nullopt;
        }
        m_values.clear();
        for (const QString& k : settings.allKeys()) {
            m_values.emplace(k, settings.value(k));
        }
    }
    if (value.isValid()) {
        m_values[key] = value;
    } else {
        m_values.erase(key);
    }
    const auto text = iniFile(m_values);
    if (!text) {
        return std::nullopt;
    }

    QByteArray temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return Status<WriteError>(writeErrorFromErrno(errno));
    }
    // A modification time at least a millisecond past the old file's, so that a QSettings in
    // this process, which compares size and time to the millisecond, notices every change.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t nowMs = nanoseconds(now) / 1'000'000;
    const std::int64_t oldMs = exists ? nanoseconds(before.st_mtim) / 1'000'000 : -1;
    const std::int64_t newMs = std::max(nowMs, oldMs + 1);
    const timespec times[2] = {{0, UTIME_OMIT}, {newMs / 1000, (newMs % 1000) * 1'000'000}};

    // The first failing call's errno says why.
    int error = 0;
    const auto check = [&error](bool done) {
        if (!done && error == 0) {
            error = errno != 0 ? errno : EIO;
        }
        return done;
    };
    errno = 0;
    bool ok = check(writeAll(fd, *text));
    ok = ok && check(durability == Durability::atomic || ::fdatasync(fd) == 0);
    const mode_t mode = exists ? (before.st_mode & mode_t{07777}) : mode_t{0644};
    ok = ok && check(::fchmod(fd, mode) == 0);
    ok = ok && check(::futimens(fd, times) == 0);
    struct stat after
    {};
    ok = ok && check(::fstat(fd, &after) == 0);
    ok = check(::close(fd) == 0) && ok;
    ok = ok && check(std::rename(temporary.constData(), path.constData()) == 0);
    if (!ok) {
        ::unlink(temporary.constData());
        return Status<WriteError>(writeErrorFromErrno(error));
    }
    m_written = Stamp{after.st_size, nanoseconds(after.st_mtim)};
    return Status<WriteError>();
}
#else
std::optional<Status<WriteError>> PreferencesFile::writeFile(const QString&, const QVariant&,
                                                             Durability)
{
    return std::nullopt;
}
#endif

} // namespace tavrin
