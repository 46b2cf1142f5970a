#pragma once
// Headings get the ids GitHub gives them, so links such as "#install" reach
// them: the heading's text lower-cased, with everything but letters, marks,
// digits, connectors, hyphens and spaces left out and spaces as hyphens; a
// repeated id gets "-1", "-2", … appended.

#include <cmark-gfm.h>
#include <string>
#include <string_view>

namespace gfm {

std::string slugOf(std::string_view headingText);

void giveHeadingsIds(cmark_node* document);

}  // namespace gfm
