#pragma once

#include <QString>
#include <QWidget>

#include <optional>

namespace tavrin {

/// The cover of the open book, shown with the other controls while the pointer moves: the
/// book's cover image filling a 120 × 180 frame with rounded corners, a faint border and a
/// soft shadow, or the cover generated from its title when it has no readable image. The
/// widget is the frame with room around it for the shadow; it takes no clicks.
class CoverView : public QWidget
{
    Q_OBJECT

public:
    explicit CoverView(QWidget* parent = nullptr);

    /// The book to show: its title and, when it has one, the path of its cover image.
    void setBook(const QString& title, const std::optional<QString>& imagePath);
    QString title() const { return m_title; }
    /// Whether the cover image is drawn, rather than the generated cover.
    bool showsImage() const;

    void setOpacity(double opacity);
    double opacity() const { return m_opacity; }

    /// Room on every side of the frame for the shadow.
    static int shadowMargin();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF frame() const;
    QImage image() const;

    QString m_title;
    std::optional<QString> m_imagePath;
    double m_opacity = 1.0;
};

} // namespace tavrin
