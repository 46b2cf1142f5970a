#pragma once
// GitHub Flavored Markdown, converted by libcmark-gfm with GitHub's
// extensions (tables, strikethrough, autolinks, tag filter, task lists,
// footnotes), raw HTML kept, headings given GitHub's ids and "> [!NOTE]"
// quotes turned into titled call-outs. UTF-8 in, UTF-8 out.

#include <string>
#include <string_view>

namespace gfm {

std::string toHtml(std::string_view markdown);

}  // namespace gfm
