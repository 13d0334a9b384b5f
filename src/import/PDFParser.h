#pragma once

#include "tokenize/WordToken.h"

#include <QString>

#include <string>
#include <vector>

namespace tavrin::PDFParser {

/// The words of a PDF's text layer, page after page, each page ending a paragraph, read by
/// the plain-text tokenizer. Empty when the file cannot be opened (missing, damaged, not a
/// PDF, locked by a password) or carries no text. Safe to call from any thread.
std::vector<WordToken> tokenize(const QString& path);

/// The text tokenize() reads: every page's text in reading order (the order pdftotext
/// gives), lines ending in a line feed, each page followed by "\n\n"; pages without text
/// are left out. Empty when the file cannot be opened.
std::string extractText(const QString& path);

} // namespace tavrin::PDFParser
