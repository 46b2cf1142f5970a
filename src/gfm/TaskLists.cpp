#include "gfm/TaskLists.h"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm-extension_api.h>

#include "gfm/CmarkTree.h"

namespace gfm {

namespace {

bool isTaskList(cmark_node* list) {
    static cmark_syntax_extension* const tasks = cmark_find_syntax_extension("tasklist");
    cmark_node* item = cmark_node_first_child(list);
    if (!item || !tasks)
        return false;
    for (; item; item = cmark_node_next(item))
        if (cmark_node_get_syntax_extension(item) != tasks)
            return false;
    return true;
}

}  // namespace

void markTaskLists(cmark_node* document) {
    for (cmark_node* list : blocksOf(document))
        if (cmark_node_get_type(list) == CMARK_NODE_LIST && isTaskList(list))
            wrapInCustomBlock(list, "<div class=\"task-list\">", "</div>");
}

}  // namespace gfm
