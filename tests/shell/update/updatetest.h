#pragma once

#include "appmodelharness.h"
#include "install/simfilesystem.h"
#include "loopbackhttpserver.h"
#include "update/updatecontroller.h"
#include "updates/simupdater.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace zorv {

// A Mac running build 10 ("1.0") from "/Applications", its appcast served by a loopback server,
// the real updater stand-in and the update controller over an app model.
class UpdateTest : public ::testing::Test {
protected:
    static QByteArray appcast(const QByteArray &build, const QByteArray &shortVersion) {
        return "<?xml version=\"1.0\"?><rss version=\"2.0\" xmlns:u=\"urn:updates\"><channel>"
               "<item><title>Zorv</title><u:version>" +
               build + "</u:version><u:shortVersionString>" + shortVersion +
               "</u:shortVersionString><enclosure url=\"https://example.com/Zorv.zip\"/>"
               "</item></channel></rss>";
    }

    UpdateTest() {
        SimSystemFacts &facts = mac.desktop().systemFacts();
        facts.setBundleInfoString(QStringLiteral("CFBundleVersion"), QStringLiteral("10"));
        facts.setBundleInfoString(QStringLiteral("CFBundleShortVersionString"),
                                  QStringLiteral("1.0"));
        facts.setBundleInfoString(QStringLiteral("CFBundleName"), QStringLiteral("Zorv"));
        facts.setBundleInfoString(QStringLiteral("SUFeedURL"),
                                  server.url(QStringLiteral("/appcast.xml")).toString());
        server.setBehaviour(LoopbackHttpServer::Behaviour::Answer, 200, appcast("12", "1.2"));
        mac.build();
    }

    UpdateController &make(std::optional<QString> testFeed = std::nullopt) {
        controller = std::make_unique<UpdateController>(
            &updater, &mac.model(),
            UpdateController::Services{
                clock, mac.desktop().systemFacts(), files, std::move(testFeed),
                mac.dataFolder() + QStringLiteral("/update-settings-return.json"),
                [this] { return openPane; }, [this] { ++activations; }});
        return *controller;
    }

    // Lets a started check reach its end over the network.
    bool finishCheck() {
        return QTest::qWaitFor([&] { return !updater.isChecking(); }, 5000);
    }

    [[nodiscard]] const UpdateStatus &status() { return mac.model().updateStatus(); }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud};
    LoopbackHttpServer server;
    QTemporaryDir disk;
    SimFileSystem files{disk.path()};
    SimUpdater updater{clock, mac.desktop().systemFacts()};
    std::unique_ptr<UpdateController> controller;
    std::optional<QString> openPane;
    int activations = 0;
};

} // namespace zorv
