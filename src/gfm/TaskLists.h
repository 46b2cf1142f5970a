#pragma once
// A list whose items are all tasks ("- [x] done") shows its check boxes
// without bullets: it is wrapped in <div class="task-list">, which the
// styles set without markers (the library puts no class on such a list).

#include <cmark-gfm.h>

namespace gfm {

void markTaskLists(cmark_node* document);

}  // namespace gfm
