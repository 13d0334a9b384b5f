#include "settings/SettingsPanel.h"

#include "session/ReaderSession.h"
#include "settings/ColorColumn.h"
#include "settings/ColorConversion.h"
#include "settings/ControlsColumn.h"
#include "settings/FontPopUp.h"
#include "settings/Presets.h"
#include "settings/SettingsControls.h"
#include "settings/SubPanelRowButton.h"
#include "widgets/Divider.h"
#include "widgets/PanelHeader.h"
#include "widgets/PanelStyle.h"

#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <algorithm>

namespace tavrin {

namespace {

QLabel* sectionLabel(const QString& text, QWidget* parent)
{
    QLabel* label = PanelStyle::label(text, PanelStyle::title3Font(), 0.8, parent);
    // A label never widens the column, whatever it is given to show.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(0);
    return label;
}

/// A slider whose track, when clicked, puts the handle where the pointer is (as the desktop
/// platforms do) rather than stepping a page towards it; the press then drags on from there.
class JumpSlider : public QSlider
{
public:
    using QSlider::QSlider;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        const int x = event->position().toPoint().x();
        if (event->button() == Qt::LeftButton && !handle.contains(event->position().toPoint())) {
            const QRect groove =
                style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
            const int span = std::max(1, groove.width() - handle.width());
            setValue(QStyle::sliderValueFromPosition(minimum(), maximum(),
                                                     x - groove.x() - handle.width() / 2, span));
        }
        QSlider::mousePressEvent(event);
    }
};

QSlider* makeSlider(const SettingsControls::SliderRange& range, int pageStep, QWidget* parent)
{
    auto* slider = new JumpSlider(Qt::Horizontal, parent);
    slider->setRange(range.minimum, range.maximum);
    slider->setSingleStep(range.step);
    slider->setPageStep(pageStep);
    slider->setStyleSheet(PanelStyle::styleSheet("slider"));
    return slider;
}

} // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("settingsPanel"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setFixedWidth(kColumnWidth);
    m_mainColumn = buildMainColumn();

    SettingsData initial;
    initial.orpColor = Presets::standardRed();
    setValues(initial);
}

QWidget* SettingsPanel::buildMainColumn()
{
    auto* column = new PanelColumn(this);
    column->setObjectName(QStringLiteral("mainColumn"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new PanelHeader(QStringLiteral("Settings"), column);
    connect(header, &PanelHeader::closeRequested, this, &SettingsPanel::closeRequested);
    layout->addWidget(header);

    auto* scroll = new QScrollArea(column);
    scroll->setObjectName(QStringLiteral("settingsScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The other panels' bar without the brightening under the pointer.
    scroll->verticalScrollBar()->setStyleSheet(PanelStyle::styleSheet("scroll-bar"));
    scroll->setWidgetResizable(true);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    auto* items = new QVBoxLayout(content);
    items->setContentsMargins(28, 32, 28, 32);
    items->setSpacing(28);

    items->addWidget(sectionLabel(QStringLiteral("Font"), content));
    m_fontCombo = new FontPopUp(content);
    m_fontCombo->setObjectName(QStringLiteral("fontComboBox"));
    m_fontCombo->setAccessibleName(QStringLiteral("Font"));
    m_fontCombo->setFont(PanelStyle::systemFont(14));
    m_fontCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const std::string& font : Presets::availableFonts()) {
        m_fontCombo->addItem(QString::fromStdString(font));
    }
    // activated, not currentIndexChanged: only the user's choice is reported.
    connect(m_fontCombo, &QComboBox::activated, this, [this](int index) {
        const QString font = m_fontCombo->itemText(index);
        if (font == m_selectedFont) {
            return;
        }
        m_selectedFont = font;
        Q_EMIT fontChanged(font);
    });
    items->addWidget(m_fontCombo);
    items->addWidget(new Divider(content));

    m_sizeLabel = sectionLabel(QString(), content);
    m_sizeLabel->setObjectName(QStringLiteral("sizeLabel"));
    items->addWidget(m_sizeLabel);
    m_sizeSlider = makeSlider(SettingsControls::kFontSizeRange, 8, content);
    m_sizeSlider->setObjectName(QStringLiteral("fontSizeSlider"));
    connect(m_sizeSlider, &QSlider::valueChanged, this, [this](int value) {
        const int snapped = SettingsControls::kFontSizeRange.snap(value);
        if (snapped != value) {
            // A drag lands between steps; the snapped value comes back through here.
            m_sizeSlider->setValue(snapped);
            return;
        }
        m_fontSize = value;
        m_sizeLabel->setText(SettingsControls::sizeLabel(m_fontSize));
        Q_EMIT fontSizeChanged(m_fontSize);
    });
    items->addWidget(m_sizeSlider);
    items->addWidget(new Divider(content));

    m_speedLabel = sectionLabel(QString(), content);
    m_speedLabel->setObjectName(QStringLiteral("speedLabel"));
    items->addWidget(m_speedLabel);
    m_speedSlider = makeSlider(SettingsControls::kSpeedRange, 10, content);
    m_speedSlider->setObjectName(QStringLiteral("speedSlider"));
    connect(m_speedSlider, &QSlider::valueChanged, this, [this](int value) {
        m_wpm = value;
        m_speedLabel->setText(SettingsControls::speedLabel(m_wpm));
        Q_EMIT wpmChanged(m_wpm);
    });
    items->addWidget(m_speedSlider);

    const std::pair<SettingsSubPanel, const char*> rows[] = {
        {SettingsSubPanel::background, "Background"},
        {SettingsSubPanel::textColor, "Text Color"},
        {SettingsSubPanel::highlight, "Highlight Color"},
        {SettingsSubPanel::controls, "Controls"},
    };
    const char* const rowNames[] = {"backgroundRowButton", "textColorRowButton",
                                    "highlightRowButton", "controlsRowButton"};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        items->addWidget(new Divider(content));
        const auto [panel, text] = rows[i];
        auto* row = new SubPanelRowButton(QString::fromLatin1(text), content);
        row->setObjectName(QString::fromLatin1(rowNames[i]));
        connect(row, &SubPanelRowButton::clicked, this, [this, panel] { toggleSubPanel(panel); });
        m_rows[panel] = row;
        items->addWidget(row);
    }
    items->addStretch(1);

    scroll->setWidget(content);
    // setWidget turns the background filling on; the panel's colour must show through.
    content->setAutoFillBackground(false);
    layout->addWidget(scroll, 1);
    return column;
}

QSize SettingsPanel::sizeHint() const
{
    return {width(), 860};
}

SettingsPanel::SettingsPanel(ReaderSession& session, QWidget* parent) : SettingsPanel(parent)
{
    setValues(session.settingsData());
    connect(this, &SettingsPanel::fontChanged, this,
            [&session](const QString& font) { session.setSelectedFont(font.toStdString()); });
    connect(this, &SettingsPanel::fontSizeChanged, this,
            [&session](double fontSize) { session.setFontSize(fontSize); });
    connect(this, &SettingsPanel::wpmChanged, this,
            [&session](double wpm) { session.setWpm(wpm); });
    connect(this, &SettingsPanel::backgroundColorChanged, this,
            [&session](const QColor& color) { session.setBackgroundColor(fromQColor(color)); });
    connect(this, &SettingsPanel::textColorChanged, this,
            [&session](const QColor& color) { session.setTextColor(fromQColor(color)); });
    connect(this, &SettingsPanel::orpColorChanged, this,
            [&session](const QColor& color) { session.setOrpColor(fromQColor(color)); });
    m_sessionSubscription =
        session.changed.subscribe([this, &session](ReaderSession::Field field, Animation) {
            using Field = ReaderSession::Field;
            switch (field) {
            case Field::selectedFont:
                setSelectedFont(QString::fromStdString(session.selectedFont()));
                break;
            case Field::fontSize:
                setFontSize(session.fontSize());
                break;
            case Field::wpm:
                setWpm(session.wpm());
                break;
            case Field::backgroundColor:
                setBackgroundColor(toQColor(session.backgroundColor()));
                break;
            case Field::textColor:
                setTextColor(toQColor(session.textColor()));
                break;
            case Field::orpColor:
                setOrpColor(toQColor(session.orpColor()));
                break;
            default:
                break;
            }
        });
}

void SettingsPanel::setValues(const SettingsData& values)
{
    setSelectedFont(QString::fromStdString(values.selectedFont));
    setFontSize(values.fontSize);
    setWpm(values.wpm);
    setBackgroundColor(toQColor(values.backgroundColor));
    setTextColor(toQColor(values.textColor));
    setOrpColor(toQColor(values.orpColor));
}

void SettingsPanel::setSelectedFont(const QString& font)
{
    m_selectedFont = font;
    const QSignalBlocker blocker(m_fontCombo);
    // A font that is not offered (from a hand-edited file) leaves the pop-up blank.
    m_fontCombo->setCurrentIndex(m_fontCombo->findText(font));
}

void SettingsPanel::setFontSize(double fontSize)
{
    m_fontSize = fontSize;
    // A value from outside the range shows as the limit it is held to; the file keeps it.
    m_sizeLabel->setText(
        SettingsControls::sizeLabel(SettingsControls::kFontSizeRange.shown(fontSize)));
    const QSignalBlocker blocker(m_sizeSlider);
    m_sizeSlider->setValue(SettingsControls::kFontSizeRange.positionFor(fontSize));
}

void SettingsPanel::setWpm(double wpm)
{
    m_wpm = wpm;
    m_speedLabel->setText(SettingsControls::speedLabel(SettingsControls::kSpeedRange.shown(wpm)));
    const QSignalBlocker blocker(m_speedSlider);
    m_speedSlider->setValue(SettingsControls::kSpeedRange.positionFor(wpm));
}

void SettingsPanel::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    if (m_activeSubPanel == SettingsSubPanel::background) {
        static_cast<ColorColumn*>(m_activeColumn)->setColor(color);
    }
}

void SettingsPanel::setTextColor(const QColor& color)
{
    m_textColor = color;
    if (m_activeSubPanel == SettingsSubPanel::textColor) {
        static_cast<ColorColumn*>(m_activeColumn)->setColor(color);
    }
}

void SettingsPanel::setOrpColor(const QColor& color)
{
    m_orpColor = color;
    if (m_activeSubPanel == SettingsSubPanel::highlight) {
        static_cast<ColorColumn*>(m_activeColumn)->setColor(color);
    }
}

QColor SettingsPanel::colorFor(SettingsSubPanel panel) const
{
    switch (panel) {
    case SettingsSubPanel::background:
        return m_backgroundColor;
    case SettingsSubPanel::textColor:
        return m_textColor;
    case SettingsSubPanel::highlight:
        return m_orpColor;
    case SettingsSubPanel::controls:
        break;
    }
    return {};
}

void SettingsPanel::colorChosen(SettingsSubPanel panel, const QColor& color)
{
    switch (panel) {
    case SettingsSubPanel::background:
        m_backgroundColor = color;
        Q_EMIT backgroundColorChanged(color);
        break;
    case SettingsSubPanel::textColor:
        m_textColor = color;
        Q_EMIT textColorChanged(color);
        break;
    case SettingsSubPanel::highlight:
        m_orpColor = color;
        Q_EMIT orpColorChanged(color);
        break;
    case SettingsSubPanel::controls:
        break;
    }
}

PanelColumn* SettingsPanel::buildColumn(SettingsSubPanel panel)
{
    PanelColumn* column = nullptr;
    auto colorColumn = [&](const char* title, const std::vector<Presets::NamedColor>& presets,
                           const char* name) {
        auto* c = new ColorColumn(QString::fromLatin1(title), presets, colorFor(panel), this);
        c->setObjectName(QString::fromLatin1(name));
        connect(c, &ColorColumn::colorChosen, this,
                [this, panel](const QColor& color) { colorChosen(panel, color); });
        return c;
    };
    switch (panel) {
    case SettingsSubPanel::background:
        column = colorColumn("Background", Presets::backgroundPresets(), "backgroundColumn");
        break;
    case SettingsSubPanel::textColor:
        column = colorColumn("Text Color", Presets::textPresets(), "textColorColumn");
        break;
    case SettingsSubPanel::highlight:
        column = colorColumn("Highlight", Presets::highlightPresets(), "highlightColumn");
        break;
    case SettingsSubPanel::controls:
        column = new ControlsColumn(this);
        column->setObjectName(QStringLiteral("controlsColumn"));
        break;
    }
    return column;
}

PanelColumn* SettingsPanel::activeColumn() const
{
    return m_activeColumn;
}

void SettingsPanel::toggleSubPanel(SettingsSubPanel panel)
{
    if (m_activeColumn) {
        showColumn(m_activeColumn, false);
        m_activeColumn = nullptr;
    }
    if (m_activeSubPanel == panel) {
        m_activeSubPanel.reset();
    } else {
        m_activeSubPanel = panel;
        m_activeColumn = buildColumn(panel);
        showColumn(m_activeColumn, true);
    }
    for (const auto& [rowPanel, row] : m_rows) {
        row->setOpen(rowPanel == m_activeSubPanel);
    }
}

void SettingsPanel::showColumn(PanelColumn* column, bool entering)
{
    const double from = entering ? 0.0 : m_columnProgress[column];
    m_columnProgress[column] = from;
    updateWidth();

    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(column->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(column);
        column->setGraphicsEffect(effect);
    }
    effect->setOpacity(from);
    // A column still entering when it is closed turns round from where it is.
    if (auto* running =
            column->findChild<QVariantAnimation*>(QString(), Qt::FindDirectChildrenOnly)) {
        running->stop();
    }
    PanelStyle::keepKeyboardOff(column);
    column->show();
    column->stackUnder(m_mainColumn);
    placeColumns();

    auto* animation = new QVariantAnimation(column);
    animation->setDuration(kTransitionMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(from);
    animation->setEndValue(entering ? 1.0 : 0.0);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this, column, effect](const QVariant& value) {
                const double progress = value.toDouble();
                m_columnProgress[column] = progress;
                effect->setOpacity(progress);
                placeColumns();
            });
    connect(animation, &QVariantAnimation::finished, this, [this, column, entering] {
        if (entering) {
            // Painting through an effect costs a pixmap per frame; only the fade needs it.
            column->setGraphicsEffect(nullptr);
            return;
        }
        m_columnProgress.erase(column);
        column->deleteLater();
        updateWidth();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void SettingsPanel::setWidthLimit(int limit)
{
    if (limit != m_widthLimit) {
        m_widthLimit = limit;
        updateWidth();
    }
}

int SettingsPanel::secondColumnWidth() const
{
    // Four swatches across and the picker's square stay usable at this width.
    constexpr int kNarrowest = 280;
    return std::clamp(m_widthLimit - kColumnWidth, kNarrowest, kColumnWidth);
}

void SettingsPanel::updateWidth()
{
    setFixedWidth(m_columnProgress.empty() ? kColumnWidth : kColumnWidth + secondColumnWidth());
    placeColumns();
}

void SettingsPanel::placeColumns()
{
    m_mainColumn->setGeometry(width() - kColumnWidth, 0, kColumnWidth, height());
    const int second = secondColumnWidth();
    for (const auto& [column, progress] : m_columnProgress) {
        const double offset = SettingsControls::columnSlideOffset(progress, second);
        column->setFixedWidth(second);
        column->setGeometry(static_cast<int>(std::lround(offset)), 0, second, height());
    }
}

void SettingsPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeColumns();
}

} // namespace tavrin
