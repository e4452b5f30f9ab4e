#include "jsonpath.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

bool isIdentifier(QStringView key) {
    if (key.isEmpty()) {
        return false;
    }
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0)) {
            return false;
        }
    }
    return true;
}

} // namespace

QString jsonKeyPath(const QString &parent, QStringView key) {
    if (isIdentifier(key)) {
        return parent + u'.' + key.toString();
    }
    QString quoted = key.toString();
    quoted.replace(u"\\"_s, u"\\\\"_s).replace(u"\""_s, u"\\\""_s);
    return parent + u"[\""_s + quoted + u"\"]"_s;
}

QString jsonIndexPath(const QString &parent, qsizetype index) {
    return parent + u'[' + QString::number(index) + u']';
}

} // namespace zorv
