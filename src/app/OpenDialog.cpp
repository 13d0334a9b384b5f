#include "app/OpenDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include <memory>

namespace tavrin::OpenDialog {

QFileDialog* create(QWidget* parent)
{
    auto* dialog = new QFileDialog(parent, QStringLiteral("Add Book"), QDir::homePath());
    dialog->setObjectName(QStringLiteral("openFileDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(QStringLiteral("Documents (*.txt *.pdf *.epub)"));
    // Files named on other systems often carry upper-case extensions (NOTES.TXT).
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    return dialog;
}

std::optional<QString> chooseFile(QWidget* parent)
{
    const std::unique_ptr<QFileDialog> dialog(create(parent));
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) {
        return std::nullopt;
    }
    return files.front();
}

} // namespace tavrin::OpenDialog
