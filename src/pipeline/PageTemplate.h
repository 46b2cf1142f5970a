#pragma once
// The page the preview loads: the fixed template around a converted fragment,
// with the selected style and the font-size percentage.

#include <QString>

namespace pagetemplate {

// The text of the selected style (selectedCssStyle in the styles folder of
// the support folder), or a null string when there is no such file.
QString returnCSSStyleString();

// The page for a fragment with the given style text and font size.
QString pageWithFragment(const QString& fragment, const QString& styleText, long fontSize);

// The page for a fragment with the style and font size of the settings.
QString pageWithFragment(const QString& fragment);

}  // namespace pagetemplate
