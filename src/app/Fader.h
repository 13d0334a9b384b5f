#pragma once

#include "session/Animation.h"

#include <QObject>

#include <functional>

class QVariantAnimation;
class QWidget;

namespace tavrin {

/// Fades one layer of the reader window in and out with the curve and duration the session
/// asks for. The layer is shown as soon as a fade-in starts and hidden once a fade-out has
/// ended, so a faded-out layer takes no clicks and a fading-in one is at once visible.
class Fader : public QObject
{
    Q_OBJECT

public:
    /// setOpacity receives every opacity step, 0…1.
    Fader(QWidget* target, std::function<void(double)> setOpacity, QObject* parent = nullptr);

    /// Starts a fade towards shown (opacity 1) or hidden (opacity 0); Animation::immediate()
    /// jumps there. A fade already heading there keeps running.
    void fadeTo(bool shown, Animation animation);

    bool isShown() const { return m_shown; }
    double opacity() const { return m_opacity; }

private:
    void apply(double opacity);

    QWidget* m_target;
    std::function<void(double)> m_setOpacity;
    QVariantAnimation* m_animation;
    bool m_shown = false;
    double m_opacity = 0.0;
};

} // namespace tavrin
