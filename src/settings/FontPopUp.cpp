#include "settings/FontPopUp.h"

#include "widgets/PanelStyle.h"
#include "widgets/Symbols.h"

#include <QAbstractItemView>
#include <QPainter>

namespace tavrin {

namespace {

const char* const kStyle =
    "QComboBox { background: rgba(255, 255, 255, 22); color: white; border: 1px solid "
    "rgba(255, 255, 255, 38); border-radius: 6px; padding: 6px 10px; }"
    "QComboBox:hover { background: rgba(255, 255, 255, 32); }"
    "QComboBox::drop-down { border: none; width: 28px; }"
    "QComboBox::down-arrow { image: none; }"
    "QComboBox QAbstractItemView { background: rgb(44, 44, 52); color: white; border: 1px "
    "solid rgba(255, 255, 255, 40); selection-background-color: rgba(255, 255, 255, 40); "
    "outline: 0; }"
    // A plain drop-down list: the menu-like pop-up of some styles adds bars above and below
    // the list in the platform's light colour.
    "QComboBox { combobox-popup: 0; }";

constexpr double kChevronSize = 13.0;

} // namespace

FontPopUp::FontPopUp(QWidget* parent) : QComboBox(parent)
{
    setStyleSheet(QString::fromLatin1(kStyle));
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
