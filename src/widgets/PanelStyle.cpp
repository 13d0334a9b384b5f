#include "widgets/PanelStyle.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
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

QString styleSheet(const char* name)
{
    // Panels are built again and again while the reader runs; the sheets never change.
    static QHash<QByteArray, QString> sheets;
    const QByteArray key(name);
    const auto found = sheets.constFind(key);
    if (found != sheets.cend()) {
        return *found;
    }
    QFile file(QStringLiteral(":/styles/%1.qss").arg(QString::fromLatin1(key)));
    const bool opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
    // Every sheet is compiled in, so only a misspelt name gets here.
    Q_ASSERT_X(opened, "PanelStyle::styleSheet", name);
    QString sheet = opened ? QString::fromUtf8(file.readAll()) : QString();
    sheets.insert(key, sheet);
    return sheet;
}

QString scrollBarStyle()
{
    return styleSheet("scroll-bar") + styleSheet("scroll-bar-hover");
}

} // namespace tavrin::PanelStyle
