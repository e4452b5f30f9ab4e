#pragma once

#include "clock.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace zorv {
class FileViewer;
class SystemFacts;
class Workspace;
} // namespace zorv

namespace zorv::ReportProblem {

// Turns the request object into body bytes; nullopt when it cannot be written.
using Serialiser = std::function<std::optional<QByteArray>(const QJsonObject &)>;

// The system services a report model works through. Every reference must outlive the models.
struct Services {
    Clock &clock;
    QNetworkAccessManager &network;
    const SystemFacts &facts;
    FileViewer &fileViewer;
    // Opens the mail link of the e-mail fall-back.
    Workspace &workspace;
    // Where fall-back files are written (the user's Desktop).
    QString desktopFolder;
    // Builder::serialise, unless a test needs a writer that fails.
    Serialiser serialise;
};

} // namespace zorv::ReportProblem
