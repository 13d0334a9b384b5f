#include "library/EmptyLibraryView.h"

#include "widgets/PanelStyle.h"
#include "widgets/Symbols.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace tavrin {

namespace {

constexpr double kSymbolSize = 56.0;
constexpr double kSpacing = 16.0;

QString headline()
{
    return QStringLiteral("No books yet");
}

QString hint()
{
    return QStringLiteral("Click Add Book or drag a file here");
}

double contentHeight()
{
    return Symbols::size(Symbols::Symbol::booksVertical, kSymbolSize).height() + kSpacing +
           QFontMetricsF(PanelStyle::title3Font()).height() + kSpacing +
           QFontMetricsF(PanelStyle::bodyFont()).height();
}

} // namespace

EmptyLibraryView::EmptyLibraryView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("emptyLibraryView"));
    setAccessibleName(headline());
    setAccessibleDescription(hint());
}

void EmptyLibraryView::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted) {
        return;
    }
    m_highlighted = highlighted;
    update();
}

double EmptyLibraryView::symbolOpacity() const
{
    return m_highlighted ? 0.5 : 0.2;
}

QSize EmptyLibraryView::minimumSizeHint() const
{
    const double width = QFontMetricsF(PanelStyle::bodyFont()).horizontalAdvance(hint());
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(contentHeight()))};
}

void EmptyLibraryView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    double y = (height() - contentHeight()) / 2.0;
    const QSizeF symbol = Symbols::size(Symbols::Symbol::booksVertical, kSymbolSize);
    Symbols::draw(painter, Symbols::Symbol::booksVertical,
                  QRectF(QPointF((width() - symbol.width()) / 2.0, y), symbol),
                  PanelStyle::white(symbolOpacity()), kSymbolSize);
    y += symbol.height() + kSpacing;

    auto drawCentred = [&](const QString& text, const QFont& font, double alpha) {
        const QFontMetricsF metrics(font);
        painter.setFont(font);
        painter.setPen(PanelStyle::white(alpha));
        painter.drawText(
            QPointF((width() - metrics.horizontalAdvance(text)) / 2.0, y + metrics.ascent()), text);
        y += metrics.height() + kSpacing;
    };
    drawCentred(headline(), PanelStyle::title3Font(), 0.35);
    drawCentred(hint(), PanelStyle::bodyFont(), 0.25);
}

} // namespace tavrin
