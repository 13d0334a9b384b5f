#include "settings/SwatchGrid.h"

#include "settings/SettingsControls.h"
#include "settings/SwatchButton.h"

#include <QResizeEvent>

#include <cmath>

namespace tavrin {

namespace {

constexpr double kColumnSpacing = 8.0;
constexpr int kRowSpacing = 18;
constexpr int kPreferredWidth = 324;

int columnsFor(int width)
{
    return SettingsControls::adaptiveColumnCount(width, SwatchButton::kDiameter, kColumnSpacing);
}

} // namespace

SwatchGrid::SwatchGrid(QWidget* parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void SwatchGrid::addSwatch(SwatchButton* swatch)
{
    swatch->setParent(this);
    m_swatches.push_back(swatch);
    placeSwatches();
    updateGeometry();
}

int SwatchGrid::heightForWidth(int width) const
{
    const int count = static_cast<int>(m_swatches.size());
    if (count == 0) {
        return 0;
    }
    const int columns = columnsFor(width - 2 * kMargin);
    const int rows = (count + columns - 1) / columns;
    return rows * SwatchButton::kDiameter + (rows - 1) * kRowSpacing + 2 * kMargin;
}

QSize SwatchGrid::sizeHint() const
{
    return {kPreferredWidth + 2 * kMargin, heightForWidth(kPreferredWidth + 2 * kMargin)};
}

void SwatchGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeSwatches();
}

void SwatchGrid::placeSwatches()
{
    const int discWidth = width() - 2 * kMargin;
    const int columns = columnsFor(discWidth);
    // Columns share the width left after the spacing; each swatch sits in the middle of
    // its column, its shadow margin reaching outside the disc's cell.
    const double columnWidth = (discWidth - (columns - 1) * kColumnSpacing) / columns;
    for (std::size_t i = 0; i < m_swatches.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        const double centreX =
            kMargin + column * (columnWidth + kColumnSpacing) + columnWidth / 2.0;
        const int discTop = kMargin + row * (SwatchButton::kDiameter + kRowSpacing);
        const QSize size = m_swatches[i]->size();
        m_swatches[i]->move(static_cast<int>(std::lround(centreX - size.width() / 2.0)),
                            discTop - SwatchButton::kShadowMargin);
    }
}

} // namespace tavrin
