#include "app/ContentsPanel.h"

#include "widgets/PanelHeader.h"
#include "widgets/PanelStyle.h"

#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace tavrin {

namespace {

enum Role
{
    tokenIndexRole = Qt::UserRole,
    depthRole,
    fractionRole,
    currentRole
};

constexpr int kRowHeight = 40;
constexpr int kIndent = 20;
constexpr int kSideMargin = 28;

/// One entry: its title, indented by depth, and on the right how much of it has been read.
class EntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {ContentsPanel::kWidth, kRowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool current = index.data(currentRole).toBool();
        const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
        const double fraction = index.data(fractionRole).toDouble();
        const int depth = index.data(depthRole).toInt();
        const QRect row = option.rect;
        painter->save();
        if (current || hovered) {
            painter->fillRect(row, PanelStyle::white(current ? 0.1 : 0.05));
        }
        const QFont font = PanelStyle::systemFont(PanelStyle::kBodySize + 2,
                                                  current ? QFont::DemiBold : QFont::Normal);
        painter->setFont(font);
        const QString percent =
            fraction <= 0.0
                ? QString()
                : QStringLiteral("%1%").arg(static_cast<int>(std::floor(fraction * 100)));
        const int percentWidth = 48;
        const QRect text =
            row.adjusted(kSideMargin + depth * kIndent, 0, -kSideMargin - percentWidth, 0);
        painter->setPen(PanelStyle::white(current ? 1.0 : (fraction >= 1.0 ? 0.5 : 0.8)));
        const QString title = painter->fontMetrics().elidedText(index.data().toString(),
                                                                Qt::ElideRight, text.width());
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, title);
        painter->setFont(PanelStyle::bodyFont());
        painter->setPen(PanelStyle::white(0.5));
        painter->drawText(row.adjusted(0, 0, -kSideMargin, 0), Qt::AlignVCenter | Qt::AlignRight,
                          percent);
        painter->restore();
    }
};

} // namespace

ContentsPanel::ContentsPanel(QWidget* parent) : QWidget(parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("contentsPanel"));
    setFixedWidth(kWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new PanelHeader(QStringLiteral("Contents"), this);
    connect(header, &PanelHeader::closeRequested, this, &ContentsPanel::closeRequested);
    layout->addWidget(header);

    m_list->setObjectName(QStringLiteral("contentsList"));
    m_list->setItemDelegate(new EntryDelegate(m_list));
    m_list->setFrameShape(QFrame::NoFrame);
    // The reader's keys must keep working while the contents are open.
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setMouseTracking(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setUniformItemSizes(true);
    m_list->setStyleSheet(PanelStyle::styleSheet("list"));
    m_list->verticalScrollBar()->setStyleSheet(PanelStyle::scrollBarStyle());
    m_list->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_list, 1);

    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Q_EMIT entryChosen(item->data(tokenIndexRole).toLongLong());
    });
}

QSize ContentsPanel::sizeHint() const
{
    return {kWidth, 720};
}

void ContentsPanel::setContents(const std::vector<ContentsEntry>& entries, std::int64_t tokenCount)
{
    m_entries = entries;
    m_tokenCount = tokenCount;
    m_current = -1;
    m_list->clear();
    for (const auto& entry : m_entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.title), m_list);
        item->setData(tokenIndexRole, QVariant::fromValue<qlonglong>(entry.tokenIndex));
        item->setData(depthRole, entry.depth);
    }
}

void ContentsPanel::setPosition(std::int64_t index)
{
    const int current = BookContents::currentEntry(m_entries, index);
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        item->setData(fractionRole,
                      BookContents::fractionRead(m_entries, static_cast<std::size_t>(i),
                                                 m_tokenCount, index));
        item->setData(currentRole, i == current);
    }
    // Each word of a book read with the contents open comes here: the list is brought to the
    // entry once, and stays where the reader scrolls it until the next entry begins.
    if (std::exchange(m_current, current) != current) {
        scrollToCurrent();
    }
}

void ContentsPanel::scrollToCurrent()
{
    if (m_current >= 0) {
        m_list->scrollToItem(m_list->item(m_current), QAbstractItemView::PositionAtCenter);
    }
}

void ContentsPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), PanelStyle::panelBackground());
}

} // namespace tavrin
