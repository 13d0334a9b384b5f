#include "widgets/PanelStyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QWidget>

namespace tavrin::PanelStyle {

QColor panelBackground()
{
    return QColor::fromRgbF(0.1f, 0.1f, 0.14f, 0.97f);
}

QColor white(double alpha)
{
    return QColor::fromRgbF(1.0f, 1.0f, 1.0f, static_cast<float>(alpha));
}

QFont systemFont(int pixelSize, QFont::Weight weight)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void keepKeyboardOff(QWidget* root)
{
    root->setFocusPolicy(Qt::NoFocus);
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        child->setFocusPolicy(Qt::NoFocus);
    }
}

QLabel* label(const QString& text, const QFont& font, double alpha, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, white(alpha));
    label->setPalette(palette);
    return label;
}

QFont largeTitleFont()
{
    return systemFont(kLargeTitleSize, QFont::Bold);
}

QFont title3Font()
{
    return systemFont(kTitle3Size);
}

QFont bodyFont()
{
    return systemFont(kBodySize);
}

QString scrollBarStyle()
{
    return QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 10px; margin: 2px 2px 2px 0; }"
        "QScrollBar::handle:vertical { background: rgba(255, 255, 255, 70); border-radius: 4px;"
        " min-height: 32px; }"
        "QScrollBar::handle:vertical:hover { background: rgba(255, 255, 255, 110); }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
}

} // namespace tavrin::PanelStyle
