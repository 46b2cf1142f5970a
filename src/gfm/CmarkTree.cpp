#include "gfm/CmarkTree.h"

#include "gfm/ConversionArena.h"

namespace gfm {

namespace {

bool holdsBlocks(cmark_node* node) {
    switch (cmark_node_get_type(node)) {
    case CMARK_NODE_DOCUMENT:
    case CMARK_NODE_BLOCK_QUOTE:
    case CMARK_NODE_LIST:
    case CMARK_NODE_ITEM:
    case CMARK_NODE_FOOTNOTE_DEFINITION:
    case CMARK_NODE_CUSTOM_BLOCK: return true;
    default: return false;
    }
}

void collectBlocks(cmark_node* node, std::vector<cmark_node*>& blocks) {
    for (cmark_node* child = cmark_node_first_child(node); child; child = cmark_node_next(child)) {
        blocks.push_back(child);
        if (holdsBlocks(child))
            collectBlocks(child, blocks);
    }
}

}  // namespace

std::vector<cmark_node*> blocksOf(cmark_node* root) {
    std::vector<cmark_node*> blocks;
    collectBlocks(root, blocks);
    return blocks;
}

void moveChildren(cmark_node* from, cmark_node* to) {
    while (cmark_node* child = cmark_node_first_child(from))
        cmark_node_append_child(to, child);
}

namespace {

cmark_node* customNode(cmark_node_type type, const std::string& onEnter, const std::string& onExit) {
    cmark_node* node = cmark_node_new_with_mem(type, ConversionArena::allocator());
    cmark_node_set_on_enter(node, onEnter.c_str());
    cmark_node_set_on_exit(node, onExit.c_str());
    return node;
}

void replace(cmark_node* replaced, cmark_node* by) {
    cmark_node_replace(replaced, by);
    cmark_node_free(replaced);
}

}  // namespace

cmark_node* replaceByCustomBlock(cmark_node* replaced, const std::string& onEnter, const std::string& onExit) {
    cmark_node* block = customNode(CMARK_NODE_CUSTOM_BLOCK, onEnter, onExit);
    moveChildren(replaced, block);
    replace(replaced, block);
    return block;
}

cmark_node* replaceByCustomInlineBlock(cmark_node* replaced, const std::string& onEnter, const std::string& onExit) {
    cmark_node* block = customNode(CMARK_NODE_CUSTOM_BLOCK, "", "");
    cmark_node* content = customNode(CMARK_NODE_CUSTOM_INLINE, onEnter, onExit);
    moveChildren(replaced, content);
    cmark_node_append_child(block, content);
    replace(replaced, block);
    return block;
}

void wrapInCustomBlock(cmark_node* wrapped, const std::string& onEnter, const std::string& onExit) {
    cmark_node* block = customNode(CMARK_NODE_CUSTOM_BLOCK, onEnter, onExit);
    cmark_node_insert_before(wrapped, block);
    cmark_node_append_child(block, wrapped);
}

std::string plainText(cmark_node* node) {
    std::string text;
    cmark_iter* iter = cmark_iter_new(node);
    for (cmark_event_type event; (event = cmark_iter_next(iter)) != CMARK_EVENT_DONE;) {
        cmark_node* current = cmark_iter_get_node(iter);
        if (event != CMARK_EVENT_ENTER)
            continue;
        const cmark_node_type type = cmark_node_get_type(current);
        if (type == CMARK_NODE_TEXT || type == CMARK_NODE_CODE)
            text += cmark_node_get_literal(current);
        else if (type == CMARK_NODE_SOFTBREAK || type == CMARK_NODE_LINEBREAK)
            text += ' ';
    }
    cmark_iter_free(iter);
    return text;
}

}  // namespace gfm
