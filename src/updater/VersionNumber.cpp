#include "updater/VersionNumber.h"

#include <QStringList>

namespace versionnumber {

bool isVersionText(const QString& text) {
    if (text.isEmpty() || text.size() > kLongestVersionText)
        return false;
    bool digitBefore = false;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            digitBefore = true;
        } else if (c == u'.' && digitBefore) {
            digitBefore = false;
        } else {
            return false;
        }
    }
    return digitBefore;
}

namespace {

// Components may be longer than any integer type; compared as digit strings
// without their leading zeros.
int compareComponent(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == u'0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

int compare(const QString& a, const QString& b) {
    const QStringList left = a.split(u'.');
    const QStringList right = b.split(u'.');
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        const QString zero = QStringLiteral("0");
        const int order = compareComponent(i < left.size() ? left[i] : zero, i < right.size() ? right[i] : zero);
        if (order != 0)
            return order < 0 ? -1 : 1;
    }
    return 0;
}

}  // namespace versionnumber
