#pragma once

#include "settings/PanelColumn.h"
#include "settings/Presets.h"

#include <QColor>

#include <vector>

namespace tavrin {

class InlineColorPicker;
class SwatchGrid;

/// The second column for one colour: its title, the preset swatches and the free picker,
/// all editing the same colour.
class ColorColumn : public PanelColumn
{
    Q_OBJECT

public:
    ColorColumn(const QString& title, const std::vector<Presets::NamedColor>& presets,
                const QColor& color, QWidget* parent = nullptr);

    /// The colour changed elsewhere; the picker reads it unless it wrote it itself.
    void setColor(const QColor& color);
    InlineColorPicker* picker() const { return m_picker; }

Q_SIGNALS:
    /// A swatch was clicked or the picker dragged.
    void colorChosen(const QColor& color);

private:
    InlineColorPicker* m_picker = nullptr;
    SwatchGrid* m_swatches = nullptr;
};

} // namespace tavrin
