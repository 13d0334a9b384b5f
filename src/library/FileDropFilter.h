#pragma once

#include <QObject>
#include <QString>

namespace tavrin {

/// Takes file drops on the widget it watches (the library panel, the reader window): each
/// dropped file with an importable extension is handed on after the drop has returned, so
/// that an import or a dialog never starts inside the platform's drag-and-drop handling.
class FileDropFilter : public QObject
{
    Q_OBJECT

public:
    /// Makes target accept drops and watches it.
    explicit FileDropFilter(QWidget* target);

Q_SIGNALS:
    void fileDropped(const QString& path);
    /// A drag of files is over the widget (true) or has left it or dropped (false).
    void targeted(bool over);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavrin
