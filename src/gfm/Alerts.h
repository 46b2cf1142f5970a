#pragma once
// GitHub's alerts: a block quote whose first line is "[!NOTE]", "[!TIP]",
// "[!IMPORTANT]", "[!WARNING]" or "[!CAUTION]" becomes a titled call-out,
//     <div class="markdown-alert markdown-alert-note">
//     <p class="markdown-alert-title">Note</p> … </div>
// that the styles colour by its kind.

#include <cmark-gfm.h>

namespace gfm {

void makeAlerts(cmark_node* document);

}  // namespace gfm
