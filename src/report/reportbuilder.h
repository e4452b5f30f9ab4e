#pragma once

#include "reportfacts.h"
#include "reportservices.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace zorv::ReportProblem {

// The request body sent to the report endpoint, and the reading of its reply.
class Builder {
public:
    Builder() = delete;

    // The largest body sent while there are diagnostics left to cut.
    static constexpr qsizetype maxBodyBytes = 256'000;
    // Where each cut aims: a little below the cap, so one cut usually does.
    static constexpr qsizetype targetBodyBytes = 254'976;
    // Diagnostics this short or shorter after a cut are dropped altogether.
    static constexpr qsizetype minDiagnosticsCharacters = 64;

    // One flat object of nine strings, written by `serialise`: the text trimmed, the diagnostics
    // cut from their oldest end until the body fits maxBodyBytes (each cut marked in the text);
    // a body that does not fit even without diagnostics is sent as it is. nullopt when
    // `serialise` fails.
    [[nodiscard]] static std::optional<QByteArray>
    body(const QString &text, const QString &appName, const QString &installID,
         const QString &diagnostics, const Facts &env,
         const Serialiser &serialise = Builder::serialise);

    // The canonical compact JSON form with sorted keys and escaped slashes.
    [[nodiscard]] static std::optional<QByteArray> serialise(const QJsonObject &object);

    // The string under "id" when the reply is a JSON object that has one.
    [[nodiscard]] static std::optional<QString> reportID(const QByteArray &reply);
    // The string under "error" when the reply is a JSON object that has one.
    [[nodiscard]] static std::optional<QString> errorText(const QByteArray &reply);
};

} // namespace zorv::ReportProblem
