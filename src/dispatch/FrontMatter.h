#pragma once
// YAML front matter: a block of "key: value" lines between a first line
// "---" and a closing "---" or "...", which static-site generators and
// note-taking tools put on top of Markdown files. The converters would make
// a rule and a heading of it; it is shown as a compact table of its keys
// instead.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace frontmatter {

struct Split {
    bool found = false;
    std::vector<std::pair<QString, QString>> entries;  // key, value as written (quotes removed)
    QString body;                                        // the text after the block
};

// The front matter at the very start of `text`, if it is one: every line of
// the block is a top-level "key: value", an indented or list continuation
// of the one before, a comment or empty, and there is at least one key.
Split split(const QString& text);

// The class of the table: the page's style and the printed title find it by it.
inline constexpr char kTableClass[] = "front-matter";

// <table class="front-matter"> with a row per key, escaped.
QString tableHtml(const std::vector<std::pair<QString, QString>>& entries);

}  // namespace frontmatter
