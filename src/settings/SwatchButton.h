#pragma once

#include <QAbstractButton>
#include <QColor>

namespace tavrin {

/// A preset colour as a round swatch with a faint outline and a soft shadow. Only the
/// disc takes clicks; the margin kept for the shadow passes presses on.
class SwatchButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int kDiameter = 52;
    static constexpr int kShadowMargin = 6;

    SwatchButton(const QString& name, const QColor& color, QWidget* parent = nullptr);

    QString name() const { return m_name; }
    QColor color() const { return m_color; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QString m_name;
    QColor m_color;
};

} // namespace tavrin
