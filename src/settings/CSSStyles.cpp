#include "settings/CSSStyles.h"

QStringList CSSStyles::availableStylesNames() {
    return {"Delicious_Dark", "Delicious_Light", "Manuscript_Dark", "Manuscript_Light",
            "Markup_Dark",    "Markup_Light",    "Standard_Dark",   "Standard_Light"};
}
