#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// The source-control facts of this build, from the "build-stamp.json" resource the build writes:
// commit hash ("sha", with a trailing "+" for a modified working tree), commit subject, commit
// and build times (ISO 8601) and branch. All five keys must be strings; a stamp missing one, or
// any resource that is missing or does not read, counts as no stamp: the fall-back values.
struct BuildStamp {
    // Where the build puts the stamp, and where a bundle may keep it among its top resources.
    static inline const QString resourcePath = QStringLiteral(":/Stamp/build-stamp.json");
    static inline const QString topLevelResourcePath = QStringLiteral(":/build-stamp.json");
    // A stamp is a few hundred bytes; a bigger resource is not one.
    static constexpr qint64 maximumBytes = 64 * 1024;

    QString sha = QStringLiteral("unknown");
    QString subject = QStringLiteral("unknown");
    QString committed;
    QString branch = QStringLiteral("unknown");
    QString builtAt;

    [[nodiscard]] static std::optional<BuildStamp> parse(const QByteArray &bytes);
    // The stamp of the first of `paths` that exists, or the fall-back.
    [[nodiscard]] static BuildStamp load(const QStringList &paths);
    // This build's stamp: the build's own resource, else one among the top resources.
    [[nodiscard]] static BuildStamp load();

    friend bool operator==(const BuildStamp &, const BuildStamp &) = default;
};

} // namespace zorv
