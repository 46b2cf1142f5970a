#pragma once
#include <QStringList>

// The styles that ship with the application, copied into the user's styles
// folder at first start.
class CSSStyles {
public:
    static QStringList availableStylesNames();
};
