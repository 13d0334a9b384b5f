#include "app/Fader.h"

#include <QEasingCurve>
#include <QVariantAnimation>
#include <QWidget>

#include <cmath>
#include <utility>

namespace tavrin {

namespace {

QEasingCurve easingFor(Animation::Curve curve)
{
    switch (curve) {
    case Animation::Curve::easeIn:
        return QEasingCurve::InQuad;
    case Animation::Curve::easeOut:
        return QEasingCurve::OutQuad;
    case Animation::Curve::easeInOut:
        return QEasingCurve::InOutQuad;
    case Animation::Curve::none:
        break;
    }
    return QEasingCurve::Linear;
}

} // namespace

Fader::Fader(QWidget* target, std::function<void(double)> setOpacity, QObject* parent)
    : QObject(parent), m_target(target), m_setOpacity(std::move(setOpacity)),
      m_animation(new QVariantAnimation(this))
{
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { apply(value.toDouble()); });
    // A fade whose start and end agree reports no value; its end still settles visibility.
    connect(m_animation, &QVariantAnimation::finished, this,
            [this] { apply(m_shown ? 1.0 : 0.0); });
    apply(0.0);
}

void Fader::fadeTo(bool shown, Animation animation)
{
    const bool sameTarget = shown == m_shown;
    m_shown = shown;
    const double target = shown ? 1.0 : 0.0;
    if (sameTarget &&
        (m_animation->state() == QAbstractAnimation::Running || m_opacity == target)) {
        return;
    }
    m_animation->stop();
    const int ms = static_cast<int>(std::lround(animation.seconds * 1000.0));
    if (animation.curve == Animation::Curve::none || ms <= 0 || m_opacity == target) {
        apply(target);
        return;
    }
    m_animation->setStartValue(m_opacity);
    m_animation->setEndValue(target);
    m_animation->setDuration(ms);
    m_animation->setEasingCurve(easingFor(animation.curve));
    // Shown at once, so the fade-in is seen from its first frame.
    m_target->setVisible(true);
    m_animation->start();
}

void Fader::apply(double opacity)
{
    m_opacity = opacity;
    m_setOpacity(opacity);
    m_target->setVisible(m_shown || opacity > 0.0);
}

} // namespace tavrin
