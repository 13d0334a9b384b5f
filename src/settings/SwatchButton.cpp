#include "settings/SwatchButton.h"

#include "widgets/PanelStyle.h"
#include "widgets/Shadows.h"

#include <QPainter>
#include <QPainterPath>

namespace tavrin {

namespace {

/// "Dark Gray" → "darkGraySwatchButton", so tests and accessibility find each swatch.
QString objectNameFor(const QString& name)
{
    QString result;
    bool upper = false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber()) {
            upper = !result.isEmpty();
            continue;
        }
        result += result.isEmpty() ? c.toLower() : (upper ? c.toUpper() : c);
        upper = false;
    }
    return result + QStringLiteral("SwatchButton");
}

} // namespace

SwatchButton::SwatchButton(const QString& name, const QColor& color, QWidget* parent)
    : QAbstractButton(parent), m_name(name), m_color(color)
{
    setObjectName(objectNameFor(name));
    setAccessibleName(name);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

QSize SwatchButton::sizeHint() const
{
    return {kDiameter + 2 * kShadowMargin, kDiameter + 2 * kShadowMargin};
}

bool SwatchButton::hitButton(const QPoint& pos) const
{
    const QPointF d = QPointF(pos) - QRectF(rect()).center();
    return d.x() * d.x() + d.y() * d.y() <= (kDiameter / 2.0) * (kDiameter / 2.0);
}

void SwatchButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(kShadowMargin, kShadowMargin, kDiameter, kDiameter);
    QPainterPath circle;
    circle.addEllipse(disc);
    Shadows::paint(painter, circle, QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.3f), 4.0,
                   QStringLiteral("swatch"));
    painter.fillPath(circle, m_color);
    painter.setPen(QPen(PanelStyle::white(0.3), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);
    if (isDown()) {
        painter.fillPath(circle, QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.2f));
    }
}

} // namespace tavrin
