#include "gfm/MathProtection.h"

#include "engine/MathSpans.h"

namespace gfm {

namespace {

// U+E000 and U+E001, private-use characters: no Markdown rule reads them,
// and they never stand next to a number in real text.
constexpr std::string_view kOpen = "\xEE\x80\x80";
constexpr std::string_view kClose = "\xEE\x80\x81";

}  // namespace

std::string MathProtection::protect(std::string_view markdown) {
    saved_.clear();
    std::string text;
    text.reserve(markdown.size());
    std::size_t copied = 0;
    for (const engine::MathSpan& span : engine::mathSpans(markdown)) {
        text.append(markdown.substr(copied, span.start - copied));
        text.append(kOpen).append(std::to_string(saved_.size())).append(kClose);
        saved_.push_back(engine::mathHtml(markdown.substr(span.start, span.end - span.start), span.display));
        copied = span.end;
    }
    text.append(markdown.substr(copied));
    return text;
}

void MathProtection::restore(std::string& html) const {
    if (saved_.empty())
        return;
    std::string result;
    result.reserve(html.size());
    bool inTag = false;
    for (std::size_t at = 0; at < html.size();) {
        if (html.compare(at, kOpen.size(), kOpen) == 0) {
            const std::size_t close = html.find(kClose, at + kOpen.size());
            const std::string number = close == std::string::npos ? "" : html.substr(at + kOpen.size(), close - at - kOpen.size());
            if (!number.empty() && number.size() < 10 && number.find_first_not_of("0123456789") == std::string::npos
                && std::stoul(number) < saved_.size()) {
                if (!inTag)
                    result += saved_[std::stoul(number)];
                at = close + kClose.size();
                continue;
            }
        }
        if (html[at] == '<')
            inTag = true;
        else if (html[at] == '>')
            inTag = false;
        result += html[at++];
    }
    html = std::move(result);
}

}  // namespace gfm
