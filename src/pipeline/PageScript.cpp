#include "pipeline/PageScript.h"

#include <QLocale>

#include "pipeline/PreparedPage.h"

namespace pagescript {

QString call(const char* function, std::initializer_list<QString> arguments) {
    // Arguments run to megabytes (a page's part): copied once each.
    static const QString module = QStringLiteral("quillview.");
    const QLatin1String name(function);
    qsizetype length = module.size() + name.size() + 2 + qsizetype(arguments.size());
    for (const QString& argument : arguments)
        length += argument.size();
    QString expression;
    expression.reserve(length);
    expression.append(module).append(name).append(u'(');
    bool first = true;
    for (const QString& argument : arguments) {
        if (!first)
            expression += u',';
        expression += argument;
        first = false;
    }
    expression += u')';
    return expression;
}

QString number(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString string(QStringView text) {
    return javaScriptStringLiteral(text);
}

}  // namespace pagescript
