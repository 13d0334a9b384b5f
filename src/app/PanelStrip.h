#pragma once

#include <QPointer>
#include <QWidget>

namespace tavrin {

/// A panel's place in the reader window: the whole window, with the panel against the right
/// edge and an empty column to its right where the buttons stand. Everything left of the
/// panel is a transparent area that asks for the panel to close when clicked. The panel
/// slides in from the right edge and out to it as the slide value runs from 0 to 1 and back.
/// A panel that changes its own width keeps its right edge where it is.
class PanelStrip : public QWidget
{
    Q_OBJECT

public:
    explicit PanelStrip(QWidget* parent = nullptr);

    /// Puts panel in the strip, replacing (and deleting) the one there before.
    void setPanel(QWidget* panel);
    QWidget* panel() const { return m_panel; }

    /// 0: the panel is just past the right edge; 1: it is in place.
    void setSlide(double shown);
    double slide() const { return m_slide; }

    /// The transparent area left of the panel, in the strip's coordinates.
    QRect besideArea() const;

Q_SIGNALS:
    /// The transparent area beside the panel was clicked.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void placePanel();
    int panelWidth() const;

    QPointer<QWidget> m_panel;
    double m_slide = 0.0;
    bool m_pressedBeside = false;
};

} // namespace tavrin
