#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

// The open dialog for documents to import: one existing file, starting in the home
// directory, offering text, PDF and EPUB files whatever the case of their extension.
namespace tavrin::OpenDialog {

/// The dialog, configured but not shown; the caller owns it.
QFileDialog* create(QWidget* parent);

/// Runs the dialog modally; the chosen file, or nothing when the user cancels.
std::optional<QString> chooseFile(QWidget* parent);

} // namespace tavrin::OpenDialog
