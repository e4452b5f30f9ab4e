#include "updateavailability.h"

#include "localedatetext.h"

using namespace Qt::StringLiterals;

namespace zorv {

UpdateAvailability UpdateAvailability::available(QString version) {
    return UpdateAvailability(Kind::Available, std::move(version));
}

UpdateAvailability UpdateAvailability::unknown() {
    return UpdateAvailability();
}

UpdateAvailability UpdateAvailability::upToDate() {
    return UpdateAvailability(Kind::UpToDate, QString());
}

std::optional<QString> UpdateAvailability::offered() const {
    if (m_kind != Kind::Available) {
        return std::nullopt;
    }
    return m_version;
}

std::optional<UpdateAvailability::MenuRow> UpdateAvailability::menuRow() const {
    if (m_kind != Kind::Available) {
        return std::nullopt;
    }
    return MenuRow{u"Version "_s + m_version + u" Available"_s, u"Click to learn more\u2026"_s};
}

QString UpdateAvailability::statusLine(bool checking, bool failed, bool everChecked) const {
    if (checking) {
        return u"Checking\u2026"_s;
    }
    switch (m_kind) {
    case Kind::Available:
        return u"Version "_s + m_version + u" is available."_s;
    case Kind::UpToDate:
        return u"You're up to date."_s;
    case Kind::Unknown:
        break;
    }
    if (failed) {
        return u"The update server could not be reached."_s;
    }
    if (everChecked) {
        return u"Not checked since Zorv opened."_s;
    }
    return u"Not checked yet."_s;
}

QString UpdateAvailability::symbol() const {
    switch (m_kind) {
    case Kind::Available:
        return u"arrow.down.circle"_s;
    case Kind::UpToDate:
        return u"checkmark.circle"_s;
    case Kind::Unknown:
        break;
    }
    return u"arrow.triangle.2.circlepath"_s;
}

QString UpdateAvailability::lastCheckLine(const std::optional<QDateTime> &lastChecked,
                                          const QDateTime &now, const QTimeZone &timeZone,
                                          const QLocale &locale) {
    if (!lastChecked) {
        return u"Never checked"_s;
    }
    const QDateTime local = lastChecked->toTimeZone(timeZone);
    const QString time = LocaleDateText::hourMinute(local, locale);
    const QDate today = now.toTimeZone(timeZone).date();
    if (local.date() == today) {
        return u"Last check: Today, "_s + time;
    }
    const QDate yesterday = today.addDays(-1);
    if (yesterday.isValid() && local.date() == yesterday) {
        return u"Last check: Yesterday, "_s + time;
    }
    return u"Last check: "_s + LocaleDateText::monthDay(local, locale) + u", "_s + time;
}

} // namespace zorv
