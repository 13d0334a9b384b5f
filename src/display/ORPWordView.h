#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace tavrin {

/// Shows one word with its optimal recognition point, one user-perceived character drawn in
/// the highlight colour, centred on the view's vertical centre line, and the word as a whole
/// centred vertically. It paints no background, so whatever lies behind it shows through.
class ORPWordView : public QWidget
{
    Q_OBJECT

public:
    explicit ORPWordView(QWidget* parent = nullptr);

    QString word() const { return m_word; }
    void setWord(const QString& word);

    /// Index, in user-perceived characters, of the highlighted character; an index past the
    /// last character highlights the last one.
    int orpIndex() const { return m_orpIdx; }
    void setOrpIndex(int orpIdx);

    QString fontName() const { return m_fontName; }
    /// A family that is not installed draws in the system's fixed-pitch font.
    void setFontName(const QString& fontName);

    /// Points; a size that is not a positive number is ignored.
    qreal fontSize() const { return m_fontSize; }
    void setFontSize(qreal fontSize);

    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);

    QColor orpColor() const { return m_orpColor; }
    void setOrpColor(const QColor& color);

    /// The font the word is drawn in: the named family, or the fallback.
    QFont wordFont() const { return m_font; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_word;
    int m_orpIdx = 0;
    QString m_fontName;
    qreal m_fontSize;
    QFont m_font;
    QColor m_textColor;
    QColor m_orpColor;
};

} // namespace tavrin
