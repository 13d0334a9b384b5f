#include "settings/ColorColumn.h"

#include "settings/ColorConversion.h"
#include "settings/InlineColorPicker.h"
#include "settings/SwatchButton.h"
#include "settings/SwatchGrid.h"
#include "widgets/Divider.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tavrin {

namespace {

constexpr int kPadding = 28;
constexpr int kSpacing = 24;
/// The swatch grid and the picker keep this much room around what they show, for
/// shadows and indicators; the other items are inset by it to stay aligned with them.
constexpr int kOverflow = InlineColorPicker::kSideMargin;
static_assert(SwatchGrid::kMargin == kOverflow);

} // namespace

ColorColumn::ColorColumn(const QString& title, const std::vector<Presets::NamedColor>& presets,
                         const QColor& color, QWidget* parent)
    : PanelColumn(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPadding - kOverflow, kPadding, kPadding - kOverflow, kPadding);
    layout->setSpacing(0);
    auto addInset = [layout](QWidget* widget) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(kOverflow, 0, kOverflow, 0);
        row->addWidget(widget);
        layout->addLayout(row);
    };

    auto* heading = PanelStyle::label(title, PanelStyle::largeTitleFont(), 1.0, this);
    heading->setObjectName(QStringLiteral("columnTitleLabel"));
    addInset(heading);
    layout->addSpacing(kSpacing);
    addInset(new Divider(this));
    layout->addSpacing(kSpacing - kOverflow);

    m_swatches = new SwatchGrid(this);
    m_swatches->setObjectName(QStringLiteral("swatchGrid"));
    for (const Presets::NamedColor& preset : presets) {
        const QColor presetColor = toQColor(preset.color);
        auto* swatch = new SwatchButton(QString::fromStdString(preset.name), presetColor);
        m_swatches->addSwatch(swatch);
        connect(swatch, &SwatchButton::clicked, this, [this, presetColor] {
            m_picker->setSelection(presetColor);
            Q_EMIT colorChosen(presetColor);
        });
    }
    layout->addWidget(m_swatches);
    layout->addSpacing(kSpacing - kOverflow);
    addInset(new Divider(this));
    layout->addSpacing(kSpacing - InlineColorPicker::kTopMargin);

    m_picker = new InlineColorPicker(color, this);
    connect(m_picker, &InlineColorPicker::selectionChanged, this, &ColorColumn::colorChosen);
    layout->addWidget(m_picker);
    layout->addStretch(1);
}

void ColorColumn::setColor(const QColor& color)
{
    m_picker->setSelection(color);
}

} // namespace tavrin
