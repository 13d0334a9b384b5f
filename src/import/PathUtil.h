#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::PathUtil {

// Paths inside an EPUB archive: '/'-separated, relative to the archive root, without a
// leading slash. The empty string is the root itself.

/// The path without its last component ("OEBPS/content.opf" -> "OEBPS"; "a.opf" -> "").
std::string parentPath(std::string_view path);

/// Joins a relative path to a directory. A leading slash in relative does not escape the
/// directory: it reads as an empty segment.
std::string join(std::string_view directory, std::string_view relative);

/// Removes empty and single-dot segments and resolves each double-dot segment against the
/// segment before it. nullopt when a double-dot segment would climb above the archive root:
/// such a path names nothing inside the book.
std::optional<std::string> normalize(std::string_view path);

/// The text up to, not including, the first '#'.
std::string_view stripFragment(std::string_view href);

/// Decodes %XX escapes. nullopt when an escape is malformed or the result is not UTF-8.
std::optional<std::string> percentDecode(std::string_view text);

/// An href as a link to a file: cut at '#', percent-decoded when the escapes are valid,
/// joined to base and normalized.
std::optional<std::string> resolveHref(std::string_view base, std::string_view href);

/// An href as written (no fragment cut, no decoding), joined to base and normalized.
std::optional<std::string> resolveLiteral(std::string_view base, std::string_view href);

} // namespace tavrin::PathUtil
