#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

namespace tavrin {

/// A colour chooser: a saturation–brightness square over a hue bar, both dragged or
/// clicked. It keeps its own hue, saturation and brightness: a colour it wrote itself is
/// not converted back (so the hue survives a drag down to black and back), while a colour
/// set from outside (a preset swatch, say) is read afresh.
///
/// The indicators reach past the square and bar, so the widget keeps kSideMargin on the
/// left and right and kTopMargin above the square; the square and bar are the widget's
/// width less the side margins.
class InlineColorPicker : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kSquareHeight = 155;
    static constexpr int kBarHeight = 22;
    static constexpr int kSpacing = 10;
    static constexpr int kSideMargin = 8;
    static constexpr int kTopMargin = 8;
    static constexpr int kBottomMargin = 3;

    explicit InlineColorPicker(const QColor& selection, QWidget* parent = nullptr);

    QColor selection() const { return m_selection; }
    /// A change from outside: taken as the new selection and read into hue, saturation
    /// and brightness, unless it is the change the picker's own last write caused.
    void setSelection(const QColor& color);

    double hue() const { return m_hue; }
    double saturation() const { return m_saturation; }
    double brightness() const { return m_brightness; }

    /// Sets hue, saturation and brightness from color (opacity ignored).
    void extract(const QColor& color);
    /// Writes hue, saturation and brightness to the selection, opaque, and reports it.
    void commit();

    QRectF squareRect() const;
    QRectF hueBarRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// The user changed the colour.
    void selectionChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Drag
    {
        none,
        square,
        hue
    };
    void dragTo(QPointF pos);
    void paintSquare(QPainter& painter) const;
    void paintHueBar(QPainter& painter) const;

    QColor m_selection;
    double m_hue = 0.0;
    double m_saturation = 1.0;
    double m_brightness = 1.0;
    bool m_skipNextChange = false;
    QList<QColor> m_hueColors;
    Drag m_drag = Drag::none;
};

} // namespace tavrin
