#pragma once

#include "settings/PanelColumn.h"

#include <QString>

#include <utility>
#include <vector>

namespace tavrin {

/// The second column listing the reader's keys and what they do.
class ControlsColumn : public PanelColumn
{
    Q_OBJECT

public:
    explicit ControlsColumn(QWidget* parent = nullptr);

    /// The legend, key text and action text, in display order.
    static const std::vector<std::pair<QString, QString>>& controls();
};

} // namespace tavrin
