#include "display/FontResolver.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cmath>

#if TAVRIN_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tavrin::FontResolver {

namespace {

#if TAVRIN_HAVE_FONTCONFIG
// Fontconfig's configuration adds the metric-compatible faces of a requested family bound as
// strongly as the request itself, and generic fallbacks (DejaVu Sans for anything) only
// weakly. Its best match therefore stands for the requested family exactly when it is one of
// the strongly bound families; anything else is a fallback, i.e. the family is missing.
QString metricCompatibleFamily(const QString& family)
{
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return {};
    }
    const QByteArray requested = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(requested.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);

    QStringList strongFamilies;
    FcValue value;
    FcValueBinding binding = FcValueBindingWeak;
    for (int i = 0;
         FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
        if (binding != FcValueBindingWeak && value.type == FcTypeString) {
            strongFamilies << QString::fromUtf8(reinterpret_cast<const char*>(value.u.s));
        }
    }

    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    QString found;
    if (match != nullptr) {
        // A face may carry several family names (localised ones among them).
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            const QString matched = QString::fromUtf8(reinterpret_cast<const char*>(name));
            if (strongFamilies.contains(matched, Qt::CaseInsensitive)) {
                found = matched;
                break;
            }
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

// The face fontconfig prefers for a generic family ("serif"), which its configuration always
// binds to an installed face when one of that kind exists.
QString preferredFamilyOfKind(const char* kind)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kind));
    if (pattern == nullptr) {
        return {};
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    QString found;
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        found = QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}
#else
QString metricCompatibleFamily(const QString&)
{
    return {};
}

QString preferredFamilyOfKind(const char*)
{
    return {};
}
#endif

// The kind of the families the reader offers, for systems that have no face metric-compatible
// with one of them (nothing free matches Georgia's metrics): a face of the same kind is far
// closer to the choice than the fixed-pitch fallback.
const char* kindOf(const QString& family)
{
    static const struct
    {
        const char* family;
        const char* kind;
    } kinds[] = {{"Arial", "sans-serif"}, {"Helvetica", "sans-serif"},
                 {"Georgia", "serif"},    {"Times New Roman", "serif"},
                 {"Palatino", "serif"},   {"Courier New", "monospace"}};
    for (const auto& k : kinds) {
        if (family.compare(QLatin1String(k.family), Qt::CaseInsensitive) == 0) {
            return k.kind;
        }
    }
    return nullptr;
}

} // namespace

QString installedFamily(const QString& family)
{
    const QString trimmed = family.trimmed();
    if (trimmed.isEmpty()) {
        return {};
    }
    if (QFontDatabase::hasFamily(trimmed)) {
        return trimmed;
    }
    // Only a face Qt can load counts; fontconfig may know fonts Qt's database skipped.
    const QString compatible = metricCompatibleFamily(trimmed);
    if (!compatible.isEmpty() && QFontDatabase::hasFamily(compatible)) {
        return compatible;
    }
    const char* kind = kindOf(trimmed);
    const QString sameKind = kind != nullptr ? preferredFamilyOfKind(kind) : QString();
    return !sameKind.isEmpty() && QFontDatabase::hasFamily(sameKind) ? sameKind : QString();
}

void setSize(QFont& font, qreal size)
{
    if (std::isfinite(size) && size > 0) {
        // Clamped: QFont takes an int, and a hand-edited size can be anything.
        font.setPixelSize(static_cast<int>(std::lround(std::min<qreal>(size, 10000.0))));
    }
}

QFont resolve(const QString& family, qreal size)
{
    const QString installed = installedFamily(family);
    QFont font;
    if (installed.isEmpty()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setWeight(QFont::Normal);
        font.setStyle(QFont::StyleNormal);
    } else {
        font = QFont(installed);
    }
    setSize(font, size);
    return font;
}

} // namespace tavrin::FontResolver
