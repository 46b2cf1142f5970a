#pragma once
// In-page links written in JavaScript anchor mode
// (href="javascript:;" onclick="document.location.hash='N';") become plain
// fragment links (href="#N") in exported files, which run no scripts. Only
// the links themselves change, so text such as x';"y stays as written.

#include <QString>

namespace anchorlinks {

QString undoJavaScriptAnchors(const QString& html);

}  // namespace anchorlinks
