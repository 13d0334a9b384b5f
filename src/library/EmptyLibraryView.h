#pragma once

#include <QWidget>

namespace tavrin {

/// What the library shows without books: a books symbol, "No books yet" and a hint,
/// centred. The symbol brightens while a file is dragged over the panel.
class EmptyLibraryView : public QWidget
{
    Q_OBJECT

public:
    explicit EmptyLibraryView(QWidget* parent = nullptr);

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    /// Opacity of the symbol's white: 0.5 while highlighted, else 0.2.
    double symbolOpacity() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_highlighted = false;
};

} // namespace tavrin
