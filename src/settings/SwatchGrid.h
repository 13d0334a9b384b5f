#pragma once

#include <QWidget>

#include <vector>

namespace tavrin {

class SwatchButton;

/// Swatches in as many columns of at least 52 as the width allows, 18 between rows, each
/// centred in its column. The discs keep kMargin from every edge, room for their shadows.
class SwatchGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMargin = 8;

    explicit SwatchGrid(QWidget* parent = nullptr);

    void addSwatch(SwatchButton* swatch);
    const std::vector<SwatchButton*>& swatches() const { return m_swatches; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeSwatches();

    std::vector<SwatchButton*> m_swatches;
};

} // namespace tavrin
