#include "settings/FontPopUp.h"

#include "widgets/PanelStyle.h"
#include "widgets/Symbols.h"

#include <QAbstractItemView>
#include <QPainter>

namespace tavrin {

namespace {

constexpr double kChevronSize = 13.0;

} // namespace

FontPopUp::FontPopUp(QWidget* parent) : QComboBox(parent)
{
    setStyleSheet(PanelStyle::styleSheet("pop-up-button"));
    // The list's own frame around it, drawn before the style sheet reaches the list.
    QWidget* frame = view()->parentWidget();
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, QColor(44, 44, 52));
    palette.setColor(QPalette::Base, QColor(44, 44, 52));
    frame->setPalette(palette);
}

void FontPopUp::paintEvent(QPaintEvent* event)
{
    QComboBox::paintEvent(event);
    QPainter painter(this);
    const QSizeF glyph = Symbols::size(Symbols::Symbol::chevronUpDown, kChevronSize);
    const QRectF box(width() - 14.0 - glyph.width(), (height() - glyph.height()) / 2.0,
                     glyph.width(), glyph.height());
    Symbols::draw(painter, Symbols::Symbol::chevronUpDown, box, PanelStyle::white(0.7),
                  kChevronSize, QFont::DemiBold);
}

} // namespace tavrin
