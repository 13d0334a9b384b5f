#pragma once

#include <QString>
#include <QWidget>

class QPainter;
class QRectF;

namespace tavrin {

/// A cover drawn from a book's title alone: a diagonal gradient from the palette row the
/// title hashes to, a dark spine along the left edge and the title in capitals near the
/// bottom. The same title always gives the same cover.
class GeneratedCover : public QWidget
{
    Q_OBJECT

public:
    explicit GeneratedCover(QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    /// Paints the cover of title into frame; used by the tiles and by the reader window.
    static void paint(QPainter& painter, const QRectF& frame, const QString& title);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};

} // namespace tavrin
