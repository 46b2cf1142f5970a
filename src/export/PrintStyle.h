#pragma once
// The style an export carries. Exports look like the preview, on paper: a
// dark style gives way to its light sibling ("X_Dark" → "X_Light"), as a dark
// page wastes ink.

#include <QString>
#include <optional>

namespace printstyle {

// The name that stands for no style at all.
inline constexpr char kNoStyle[] = "none";

// The style text of `name`: the user's styles folder first, then the styles
// the application ships; "none" gives the empty text. Nothing for an unknown
// name or one that reaches outside the folder.
std::optional<QString> styleText(const QString& name);

// The light sibling of a dark style when there is one, else `name`.
QString forPaper(const QString& name);

// The text of the style the preview shows, for paper.
QString selectedStyleForPaper();

}  // namespace printstyle
