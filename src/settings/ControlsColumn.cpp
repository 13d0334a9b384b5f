#include "settings/ControlsColumn.h"

#include "widgets/Divider.h"
#include "widgets/PanelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavrin {

namespace {

constexpr int kPadding = 28;
constexpr int kSpacing = 22;
constexpr int kKeyWidth = 120;

} // namespace

const std::vector<std::pair<QString, QString>>& ControlsColumn::controls()
{
    static const std::vector<std::pair<QString, QString>> legend{
        {QStringLiteral("Space"), QStringLiteral("Play / Pause")},
        {QStringLiteral("W"), QStringLiteral("Next chapter")},
        {QStringLiteral("S"), QStringLiteral("Previous chapter")},
        {QStringLiteral("D"), QStringLiteral("Forward 25 words")},
        {QStringLiteral("A"), QStringLiteral("Back 25 words")},
        {QStringLiteral("\u2190 \u2192"), QStringLiteral("\u00b110 WPM")},
        {QStringLiteral("Shift \u2190 \u2192"), QStringLiteral("\u00b11 WPM")},
        {QStringLiteral("\u2191 \u2193"), QStringLiteral("Font size")},
    };
    return legend;
}

ControlsColumn::ControlsColumn(QWidget* parent) : PanelColumn(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    layout->setSpacing(kSpacing);

    auto* heading =
        PanelStyle::label(QStringLiteral("Controls"), PanelStyle::largeTitleFont(), 1.0, this);
    heading->setObjectName(QStringLiteral("columnTitleLabel"));
    layout->addWidget(heading);
    layout->addWidget(new Divider(this));

    for (const auto& [key, action] : controls()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(16);
        auto* keyLabel =
            PanelStyle::label(key, PanelStyle::systemFont(18, QFont::DemiBold), 1.0, this);
        keyLabel->setObjectName(QStringLiteral("keyLabel"));
        keyLabel->setFixedWidth(kKeyWidth);
        auto* actionLabel = PanelStyle::label(action, PanelStyle::title3Font(), 0.6, this);
        actionLabel->setObjectName(QStringLiteral("actionLabel"));
        row->addWidget(keyLabel);
        row->addWidget(actionLabel, 1);
        layout->addLayout(row);
    }
    layout->addStretch(1);
}

} // namespace tavrin
