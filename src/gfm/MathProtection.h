#pragma once
// Math in GitHub Markdown: each span ($…$, \(…\), $$…$$, \[…\]) is swapped
// for an inert token before libcmark-gfm reads the text, so that emphasis,
// escapes and table cells leave it alone, and comes back as its HTML after.

#include <string>
#include <string_view>
#include <vector>

namespace gfm {

class MathProtection {
public:
    // The text with its math spans replaced by tokens.
    std::string protect(std::string_view markdown);
    // Puts each span's HTML where its token stands in text; inside a tag (a
    // heading's id) the token just goes.
    void restore(std::string& html) const;

private:
    std::vector<std::string> saved_;
};

}  // namespace gfm
