#include "settings/InlineColorPicker.h"

#include "settings/ColorMath.h"
#include "widgets/Shadows.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

namespace tavrin {

namespace {

constexpr int kDefaultWidth = 324;
constexpr double kSquareRadius = 8.0;
constexpr double kBarRadius = 4.0;
constexpr double kIndicatorDiameter = 14.0;
constexpr double kIndicatorLine = 2.0;
constexpr int kHueStops = 13;

QColor fromHsv(double hue, double saturation, double brightness)
{
    const ColorMath::Rgb rgb = ColorMath::hsvToRgb({hue, saturation, brightness});
    return QColor::fromRgbF(static_cast<float>(rgb.r), static_cast<float>(rgb.g),
                            static_cast<float>(rgb.b), 1.0f);
}

/// A ring's outline as a fillable shape, for its shadow.
QPainterPath strokeShape(const QPainterPath& path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    return stroker.createStroke(path);
}

} // namespace

InlineColorPicker::InlineColorPicker(const QColor& selection, QWidget* parent)
    : QWidget(parent), m_selection(selection.toRgb())
{
    setObjectName(QStringLiteral("inlineColorPicker"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int k = 0; k < kHueStops; ++k) {
        m_hueColors.append(fromHsv(static_cast<double>(k) / (kHueStops - 1), 1.0, 1.0));
    }
    // The last stop is hue 1, red again: fromHsv wraps it, as the bar's two ends should be.
    extract(m_selection);
}

QSize InlineColorPicker::sizeHint() const
{
    return {kDefaultWidth + 2 * kSideMargin,
            kTopMargin + kSquareHeight + kSpacing + kBarHeight + kBottomMargin};
}

QSize InlineColorPicker::minimumSizeHint() const
{
    return {2 * kSideMargin + 2 * static_cast<int>(kIndicatorDiameter), sizeHint().height()};
}

QRectF InlineColorPicker::squareRect() const
{
    return {static_cast<double>(kSideMargin), static_cast<double>(kTopMargin),
            static_cast<double>(width() - 2 * kSideMargin), static_cast<double>(kSquareHeight)};
}

QRectF InlineColorPicker::hueBarRect() const
{
    return {static_cast<double>(kSideMargin),
            static_cast<double>(kTopMargin + kSquareHeight + kSpacing),
            static_cast<double>(width() - 2 * kSideMargin), static_cast<double>(kBarHeight)};
}

void InlineColorPicker::setSelection(const QColor& color)
{
    const QColor rgb = color.toRgb();
    if (!rgb.isValid() || rgb == m_selection) {
        return;
    }
    m_selection = rgb;
    if (m_skipNextChange) {
        m_skipNextChange = false;
        return;
    }
    extract(rgb);
}

void InlineColorPicker::extract(const QColor& color)
{
    const QColor rgb = color.toRgb();
    if (!rgb.isValid()) {
        return;
    }
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    rgb.getRgbF(&r, &g, &b);
    const ColorMath::Hsv hsv = ColorMath::rgbToHsv({r, g, b});
    m_hue = std::min(hsv.hue, ColorMath::kMaxHue);
    m_saturation = hsv.saturation;
    m_brightness = hsv.brightness;
    update();
}

void InlineColorPicker::commit()
{
    const QColor color = fromHsv(m_hue, m_saturation, m_brightness);
    update();
    if (color == m_selection) {
        return;
    }
    // Whatever comes back as the consequence of this write (the host echoing the colour
    // through its binding) is the picker's own colour and must not be read back.
    m_skipNextChange = true;
    m_selection = color;
    Q_EMIT selectionChanged(color);
    m_skipNextChange = false;
}

void InlineColorPicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPointF pos = event->position();
    const QRectF bar = hueBarRect();
    // The bar's indicator stands above the bar and takes presses too.
    const QRectF barTarget = bar.adjusted(-kSideMargin, -6.0, kSideMargin, kBottomMargin);
    if (squareRect().contains(pos)) {
        m_drag = Drag::square;
    } else if (barTarget.contains(pos)) {
        m_drag = Drag::hue;
    } else {
        event->ignore();
        return;
    }
    dragTo(pos);
}

void InlineColorPicker::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag != Drag::none && (event->buttons() & Qt::LeftButton)) {
        dragTo(event->position());
    }
}

void InlineColorPicker::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_drag != Drag::none) {
        dragTo(event->position());
        m_drag = Drag::none;
    }
}

void InlineColorPicker::dragTo(QPointF pos)
{
    if (m_drag == Drag::square) {
        const QRectF square = squareRect();
        const ColorMath::SquareValue value =
            ColorMath::squareValueAt(pos - square.topLeft(), square.width(), square.height());
        m_saturation = value.saturation;
        m_brightness = value.brightness;
    } else if (m_drag == Drag::hue) {
        const QRectF bar = hueBarRect();
        m_hue = ColorMath::hueAt(pos.x() - bar.left(), bar.width());
    } else {
        return;
    }
    commit();
}

void InlineColorPicker::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSquare(painter);
    paintHueBar(painter);
}

void InlineColorPicker::paintSquare(QPainter& painter) const
{
    const QRectF square = squareRect();
    QPainterPath clip;
    clip.addRoundedRect(square, kSquareRadius, kSquareRadius);

    QLinearGradient saturation(square.topLeft(), square.topRight());
    saturation.setColorAt(0.0, Qt::white);
    saturation.setColorAt(1.0, fromHsv(m_hue, 1.0, 1.0));
    painter.fillPath(clip, saturation);

    QLinearGradient brightness(square.topLeft(), square.bottomLeft());
    brightness.setColorAt(0.0, QColor(0, 0, 0, 0));
    brightness.setColorAt(1.0, Qt::black);
    painter.fillPath(clip, brightness);

    const QPointF centre =
        square.topLeft() + ColorMath::squareIndicatorCentre(m_saturation, m_brightness,
                                                            square.width(), square.height());
    QPainterPath ring;
    const double r = kIndicatorDiameter / 2.0;
    ring.addEllipse(centre, r, r);
    Shadows::paint(painter, strokeShape(ring, kIndicatorLine),
                   QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.6f), 2.0, QStringLiteral("picker-ring"));
    painter.setPen(QPen(Qt::white, kIndicatorLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);
}

void InlineColorPicker::paintHueBar(QPainter& painter) const
{
    const QRectF bar = hueBarRect();
    QLinearGradient hues(bar.topLeft(), bar.topRight());
    const auto last = static_cast<double>(m_hueColors.size() - 1);
    for (qsizetype k = 0; k < m_hueColors.size(); ++k) {
        hues.setColorAt(static_cast<double>(k) / last, m_hueColors[k]);
    }
    QPainterPath clip;
    clip.addRoundedRect(bar, kBarRadius, kBarRadius);
    painter.fillPath(clip, hues);

    const QRectF indicator =
        ColorMath::hueIndicatorRect(m_hue, bar.width(), bar.height()).translated(bar.topLeft());
    QPainterPath outline;
    outline.addRoundedRect(indicator, 2.0, 2.0);
    Shadows::paint(painter, strokeShape(outline, kIndicatorLine),
                   QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.5f), 2.0,
                   QStringLiteral("picker-hue-indicator"));
    painter.setPen(QPen(Qt::white, kIndicatorLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
}

} // namespace tavrin
