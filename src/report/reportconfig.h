#pragma once

#include "clock.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace zorv::ReportProblem {

// An optional switch that allows sending over the network: `get` reads the stored choice, `set`
// stores the user's new one.
struct Consent {
    std::function<bool()> get;
    std::function<void(bool)> set;
};

// Everything product-specific about problem reports, so that the feature itself names no
// product. The closures run on the main thread; installID and diagnostics are called once per
// send or e-mail.
struct Config {
    QString appName;
    // Sent in the "X-BC-App-Token" header.
    QString appToken;
    QUrl endpoint;
    std::function<QString()> installID;
    std::function<QString()> diagnostics;
    // Fill and text colours of the built-in screens' main button.
    QColor accent;
    QColor onAccent;
    // A web page for reporting by hand, offered by the built-in screens.
    std::optional<QUrl> fallbackPage;
    // Log hook for the feature's record lines.
    std::function<void(const QString &)> record = [](const QString &) {};
    // The host's own window (a QML file whose root is a Window taking the sheet); absent means
    // the built-in screens.
    std::optional<QUrl> content;
    QSize contentSize;
    std::optional<Consent> consent;
    // Recipient of the e-mail fall-back; absent disables it.
    std::optional<QString> supportEmail;
    // An example sentence for the built-in writing screen.
    QString example;
    // How long the upload may take before it counts as unreachable.
    Duration timeout = seconds(20);
};

} // namespace zorv::ReportProblem
