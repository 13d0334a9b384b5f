#pragma once

#include "library/BookContents.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QListWidget;

namespace tavrin {

/// The open book's contents in the panels' look: its chapters or headings, nested entries
/// indented, the entry being read marked, and how far through each the reader is. Choosing
/// an entry asks to go to its first word.
class ContentsPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 420;

    explicit ContentsPanel(QWidget* parent = nullptr);

    void setContents(const std::vector<ContentsEntry>& entries, std::int64_t tokenCount);
    /// The reader's word; marks the entry it is in and updates how far each has been read.
    void setPosition(std::int64_t index);
    /// Brings the marked entry to the middle of the list, as opening the panel does.
    void scrollToCurrent();

    QListWidget* list() const { return m_list; }
    QSize sizeHint() const override;

Q_SIGNALS:
    void entryChosen(std::int64_t tokenIndex);
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QListWidget* m_list;
    std::vector<ContentsEntry> m_entries;
    std::int64_t m_tokenCount = 0;
    /// The marked entry, -1 for none; the list scrolls to an entry only when it becomes it.
    int m_current = -1;
};

} // namespace tavrin
