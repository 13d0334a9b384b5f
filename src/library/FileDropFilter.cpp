#include "library/FileDropFilter.h"

#include "library/DropFilter.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace tavrin {

FileDropFilter::FileDropFilter(QWidget* target) : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            if (event->type() == QEvent::DragEnter) {
                Q_EMIT targeted(true);
            }
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::DragLeave:
        Q_EMIT targeted(false);
        return false;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        Q_EMIT targeted(false);
        drop->acceptProposedAction();
        for (const QString& path : DropFilter::importablePaths(drop->mimeData()->urls())) {
            QMetaObject::invokeMethod(
                this, [this, path] { Q_EMIT fileDropped(path); }, Qt::QueuedConnection);
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace tavrin
