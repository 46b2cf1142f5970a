#include "pipeline/PageScript.h"

#include <QLocale>

#include "pipeline/PreparedPage.h"

namespace pagescript {

QString call(const char* function, std::initializer_list<QString> arguments) {
    QString expression = QStringLiteral("quillview.") + QLatin1String(function) + u'(';
    bool first = true;
    for (const QString& argument : arguments) {
        if (!first)
            expression += u',';
        expression += argument;
        first = false;
    }
    return expression + u')';
}

QString number(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString string(QStringView text) {
    return javaScriptStringLiteral(text);
}

}  // namespace pagescript
