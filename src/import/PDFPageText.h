#pragma once

#include <string>
#include <vector>

/// Every page's text within its crop box, in poppler's reading-order layout (pdftotext's
/// default), lines ending in a line feed, without the form feed that ends a page. A page
/// without text, or whose text is not valid UTF-8, is an empty string. Empty when the file
/// cannot be opened (missing, damaged, not a PDF, locked by a user password). Safe to call
/// from any thread.
///
/// The only user of poppler's core (unstable) interface, kept in one place so that another
/// poppler release, or a port, replaces just this file.
namespace tavrin::PDFPageText {
std::vector<std::string> read(const std::string& file);
}
