#pragma once
// Small helpers over libcmark-gfm's node tree that the tree edits share.

#include <cmark-gfm.h>
#include <string>
#include <vector>

namespace gfm {

// The blocks of a tree, in document order, without the inline content of
// paragraphs, headings and tables (a walk over inlines would cost as much
// as the parse).
std::vector<cmark_node*> blocksOf(cmark_node* root);

// Moves every child of `from` to the end of `to`.
void moveChildren(cmark_node* from, cmark_node* to);

// A block that renders `onEnter`, its children, then `onExit`; it takes the
// place and the children of `replaced`, which is freed.
cmark_node* replaceByCustomBlock(cmark_node* replaced, const std::string& onEnter, const std::string& onExit);

// The same, but the children stay on the lines of `onEnter` and `onExit`
// (for a block of inline content such as a heading).
cmark_node* replaceByCustomInlineBlock(cmark_node* replaced, const std::string& onEnter, const std::string& onExit);

// Puts `wrapped` inside a new block that renders `onEnter`, it, `onExit`.
void wrapInCustomBlock(cmark_node* wrapped, const std::string& onEnter, const std::string& onExit);

// The text a reader sees in a node: its literals, without markup.
std::string plainText(cmark_node* node);

}  // namespace gfm
