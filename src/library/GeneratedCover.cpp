#include "library/GeneratedCover.h"

#include "library/CoverPalette.h"
#include "library/LibraryGeometry.h"
#include "library/TextFitting.h"
#include "widgets/PanelStyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

namespace tavrin {

namespace {

constexpr double kSpineWidth = 6.0;
constexpr double kTextInset = 14.0;
constexpr double kBottomPadding = 16.0;
constexpr double kStackSpacing = 10.0;
constexpr int kTitlePixelSize = 13;
constexpr int kMaxTitleLines = 4;
constexpr double kMinTitleScale = 0.6;

QColor toColor(const CoverPalette::Rgb& c)
{
    return QColor::fromRgbF(static_cast<float>(c.r), static_cast<float>(c.g),
                            static_cast<float>(c.b));
}

} // namespace

GeneratedCover::GeneratedCover(QWidget* parent) : QWidget(parent) {}

void GeneratedCover::setTitle(const QString& title)
{
    if (m_title == title) {
        return;
    }
    m_title = title;
    update();
}

QSize GeneratedCover::sizeHint() const
{
    return {LibraryGeometry::kCoverWidth, LibraryGeometry::kCoverHeight};
}

void GeneratedCover::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()), m_title);
}

void GeneratedCover::paint(QPainter& painter, const QRectF& frame, const QString& title)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QByteArray utf8 = title.toUtf8();
    const CoverPalette::Pair& pair = CoverPalette::colors(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    // Bounding-box coordinates make the colour lines run parallel to the other diagonal,
    // whatever the frame's proportions.
    QLinearGradient gradient(0.0, 0.0, 1.0, 1.0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0.0, toColor(pair.first));
    gradient.setColorAt(1.0, toColor(pair.second));
    painter.fillRect(frame, gradient);

    painter.fillRect(QRectF(frame.left(), frame.top(), kSpineWidth, frame.height()),
                     QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.3f));

    const QFont font = PanelStyle::systemFont(kTitlePixelSize, QFont::Bold);
    const double textWidth = frame.width() - 2 * kTextInset;
    // The title may use everything above the bottom padding but the rule and its spacing.
    const double textRoom = frame.height() - kBottomPadding - 1.0 - 2 * kStackSpacing;
    const TextFitting::Lines fitted = TextFitting::fit(title.toUpper(), font, textWidth, textRoom,
                                                       kMaxTitleLines, kMinTitleScale);

    const QFontMetricsF metrics(font);
    const int lineCount = static_cast<int>(fitted.lines.size());
    const double textHeight = TextFitting::linesHeight(font, lineCount) * fitted.scale;
    const double textTop = frame.bottom() - kBottomPadding - textHeight;
    const double ruleTop = textTop - (lineCount > 0 ? kStackSpacing : 0.0) - 1.0;
    painter.fillRect(
        QRectF(frame.left() + kTextInset, ruleTop, frame.width() - 2 * kTextInset, 1.0),
        PanelStyle::white(0.2));

    painter.setFont(font);
    painter.setPen(PanelStyle::white(0.92));
    painter.translate(frame.left() + kTextInset, textTop);
    painter.scale(fitted.scale, fitted.scale);
    const double lineWidth = textWidth / fitted.scale;
    for (int i = 0; i < lineCount; ++i) {
        const QString& line = fitted.lines[i];
        const double x = (lineWidth - metrics.horizontalAdvance(line)) / 2.0;
        painter.drawText(QPointF(x, metrics.ascent() + i * metrics.lineSpacing()), line);
    }
    painter.restore();
}

} // namespace tavrin
