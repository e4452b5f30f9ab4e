#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace zorv {

// What the last update check found, with the texts the status menu and the updates card show
// about it.
class UpdateAvailability {
public:
    enum class Kind { Available, Unknown, UpToDate };

    struct MenuRow {
        QString title;
        QString subtitle;

        friend bool operator==(const MenuRow &, const MenuRow &) = default;
    };

    // No successful check has told anything yet.
    UpdateAvailability() = default;

    [[nodiscard]] static UpdateAvailability available(QString version);
    [[nodiscard]] static UpdateAvailability unknown();
    [[nodiscard]] static UpdateAvailability upToDate();

    [[nodiscard]] Kind kind() const { return m_kind; }
    // The offered version text; nullopt unless a version is available.
    [[nodiscard]] std::optional<QString> offered() const;

    // The status menu's row for an offered version; nullopt otherwise.
    [[nodiscard]] std::optional<MenuRow> menuRow() const;
    [[nodiscard]] QString statusLine(bool checking, bool failed, bool everChecked) const;
    // Name of the system symbol shown beside the status.
    [[nodiscard]] QString symbol() const;

    // "Last check: Today, 9:05 AM" and the like. Days are counted in `timeZone`; hour, minute and
    // the AM/PM marker, and the month and day of older checks, follow `locale`.
    [[nodiscard]] static QString lastCheckLine(const std::optional<QDateTime> &lastChecked,
                                               const QDateTime &now, const QTimeZone &timeZone,
                                               const QLocale &locale);

    friend bool operator==(const UpdateAvailability &, const UpdateAvailability &) = default;

private:
    UpdateAvailability(Kind kind, QString version) : m_kind(kind), m_version(std::move(version)) {}

    Kind m_kind = Kind::Unknown;
    QString m_version;
};

} // namespace zorv
