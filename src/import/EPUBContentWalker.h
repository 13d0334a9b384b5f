#pragma once

#include "tokenize/WordToken.h"

#include <libxml/tree.h>

#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrin {

/// The chapter walk behind EPUBParser::parseHTMLContent and EPUBParser::walkNode, with an
/// optional cap on the tokens of a whole book: a chapter that decompresses to millions of
/// tiny words must not exhaust memory before the book is rejected.
namespace EPUBContentWalker {

/// Tokens the book may still make, shared by chapters parsed at the same time.
using TokenBudget = std::atomic<std::int64_t>;

/// Appends the chapter's tokens; false (tokens incomplete) once budget is overdrawn. A
/// document that XmlDocument refuses (too many elements, too much entity text) adds
/// nothing. A null budget means no cap.
bool parse(std::string_view data, std::int64_t chapterIndex, std::vector<WordToken>& tokens,
           TokenBudget* budget);

/// Walks one node and everything inside it; false once budget is overdrawn.
bool walk(const xmlNode* node, std::int64_t chapterIndex, bool inHeading,
          std::vector<WordToken>& tokens, TokenBudget* budget);

} // namespace EPUBContentWalker

} // namespace tavrin
