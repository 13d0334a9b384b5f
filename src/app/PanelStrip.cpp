#include "app/PanelStrip.h"

#include "app/LayerGeometry.h"
#include "widgets/PanelStyle.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

namespace tavrin {

PanelStrip::PanelStrip(QWidget* parent) : QWidget(parent) {}

void PanelStrip::setPanel(QWidget* panel)
{
    if (panel == m_panel) {
        return;
    }
    if (m_panel) {
        m_panel->removeEventFilter(this);
        // Deleted later: the old panel may be the sender of the signal that replaces it.
        m_panel->hide();
        m_panel->deleteLater();
    }
    m_panel = panel;
    if (m_panel) {
        m_panel->setParent(this);
        PanelStyle::keepKeyboardOff(m_panel);
        m_panel->installEventFilter(this);
        placePanel();
        m_panel->show();
    }
}

void PanelStrip::setSlide(double shown)
{
    m_slide = shown;
    placePanel();
}

int PanelStrip::panelWidth() const
{
    if (!m_panel) {
        return 0;
    }
    // A panel that fixes its own width is taken at that width, any other at its preferred.
    return m_panel->minimumWidth() == m_panel->maximumWidth() ? m_panel->width()
                                                              : m_panel->sizeHint().width();
}

QRect PanelStrip::besideArea() const
{
    // Measured from where the panel rests, so the area does not change while it slides.
    const QRectF resting = LayerGeometry::panelRect(QSizeF(size()), panelWidth(), 1.0);
    return QRectF(0.0, 0.0, std::max(0.0, resting.left()), height()).toRect();
}

void PanelStrip::placePanel()
{
    if (!m_panel) {
        return;
    }
    m_panel->setGeometry(
        LayerGeometry::panelRect(QSizeF(size()), panelWidth(), m_slide).toAlignedRect());
}

bool PanelStrip::eventFilter(QObject* watched, QEvent* event)
{
    // The panel grew or shrank by itself: put its right edge back in place.
    if (watched == m_panel && event->type() == QEvent::Resize) {
        placePanel();
    }
    return QWidget::eventFilter(watched, event);
}

void PanelStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placePanel();
}

void PanelStrip::mousePressEvent(QMouseEvent* event)
{
    m_pressedBeside =
        event->button() == Qt::LeftButton && besideArea().contains(event->position().toPoint());
    event->accept();
}

void PanelStrip::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressedBeside && event->button() == Qt::LeftButton &&
                       besideArea().contains(event->position().toPoint());
    m_pressedBeside = false;
    event->accept();
    if (click) {
        Q_EMIT closeRequested();
    }
}

} // namespace tavrin
