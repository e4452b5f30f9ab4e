#include "section.h"

using namespace Qt::StringLiterals;

namespace zorv {

QString rawValue(Section section) {
    switch (section) {
    case Section::shown:
        return u"shown"_s;
    case Section::hidden:
        return u"hidden"_s;
    case Section::alwaysHidden:
        return u"alwaysHidden"_s;
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<Section> sectionFromRawValue(QStringView raw) {
    for (Section section : allSections) {
        if (raw == rawValue(section)) {
            return section;
        }
    }
    return std::nullopt;
}

QJsonValue toJson(Section section) {
    return rawValue(section);
}

template <> Section JsonValueRef::as<Section>() const {
    const QString raw = toString();
    if (const auto section = sectionFromRawValue(raw)) {
        return *section;
    }
    fail(u"unknown section \"%1\""_s.arg(raw));
}

} // namespace zorv
