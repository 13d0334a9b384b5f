#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace tavrin {

/// One line of text centred in the widget, in one font and colour at an opacity: the
/// reader's title, its "Loading…" line and its status message. A display only: it paints no
/// background and lets every pointer event through to the window beneath.
class CentredText : public QWidget
{
    Q_OBJECT

public:
    explicit CentredText(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    QFont textFont() const { return m_font; }
    void setTextFont(const QFont& font);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    /// Multiplies the colour's own opacity.
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity);
    /// The height of a band that holds one line of the font, with room for glyphs that reach
    /// a little past its ascent or descent.
    double bandHeight() const;

    /// The quiet look of the status message and the lines beside it: the system's fixed
    /// font, light, at a pixel size.
    static QFont statusFont(double pixelSize);
    /// The status look's opacity.
    static constexpr double kStatusOpacity = 0.55;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QFont m_font;
    QColor m_color = Qt::white;
    double m_opacity = 1.0;
};

} // namespace tavrin
