#pragma once

#include "appmodelharness.h"
#include "jsonwriter.h"
#include "modelsync.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <initializer_list>

namespace zorv {

// The synced content a Mac holds, as another Mac would read it (a profile's layout, for one,
// leaves out system items on the way).
inline SyncedBundle sentBy(AppModelHarness &mac) {
    return SyncedBundle::decode(mac.model().sync().localSyncedBundle().encoded());
}

// What two bundles' content differs in, part by part; empty when nothing.
inline QString contentDifferences(const SyncedBundle &a, const SyncedBundle &b) {
    const auto text = [](const QJsonValue &json) {
        return QString::fromUtf8(writeJson(json, JsonFormat::compact()).value_or("?"));
    };
    QStringList differences;
    const QJsonObject settingsA = a.settings.toJson().toObject();
    const QJsonObject settingsB = b.settings.toJson().toObject();
    for (const QString &key : settingsA.keys()) {
        if (settingsA.value(key) != settingsB.value(key)) {
            differences.append(
                QStringLiteral("settings.%1: %2 against %3")
                    .arg(key, text(settingsA.value(key)), text(settingsB.value(key))));
        }
    }
    const auto compare = [&](const char *part, const QJsonValue &jsonA, const QJsonValue &jsonB) {
        if (jsonA != jsonB) {
            differences.append(QStringLiteral("%1: %2 against %3")
                                   .arg(QLatin1String(part), text(jsonA), text(jsonB)));
        }
    };
    compare("layout", a.layout.normalized().toJson(), b.layout.normalized().toJson());
    compare("profiles", a.profiles.toJson(), b.profiles.toJson());
    compare("rules", a.triggers.toJson(), b.triggers.toJson());
    compare("deleted", a.deleted.toJson(), b.deleted.toJson());
    return differences.join(u'\n');
}

// Whether two Macs hold the same synced content; the failure names every part that differs.
inline testing::AssertionResult agreeOnContent(AppModelHarness &a, AppModelHarness &b) {
    const QString differences = contentDifferences(sentBy(a), sentBy(b));
    if (differences.isEmpty()) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the Macs disagree:\n" << differences.toStdString();
}

// Lets the records of Macs over one iCloud account travel until no write has been made for a few
// turns of the event loop, for a bounded number of turns. Macs whose records still travel then
// keep correcting each other: they are signed out of iCloud, so that the test goes on to its end
// instead of hanging, and the failure says what the first two disagree about.
inline testing::AssertionResult exchangeRecords(SimCloud &cloud,
                                                std::initializer_list<AppModelHarness *> macs) {
    constexpr int kQuietTurns = 10;
    constexpr int kMaxTurns = 400;
    qint64 writes = cloud.writeCount();
    int quietTurns = 0;
    for (int turn = 0; turn < kMaxTurns && quietTurns < kQuietTurns; ++turn) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        quietTurns = cloud.writeCount() == writes ? quietTurns + 1 : 0;
        writes = cloud.writeCount();
    }
    if (quietTurns >= kQuietTurns) {
        return testing::AssertionSuccess();
    }
    for (AppModelHarness *mac : macs) {
        mac->cloudStore().setSignedIn(false);
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "the records were still travelling after " << kMaxTurns << " turns";
    if (macs.size() >= 2) {
        const testing::AssertionResult agreement =
            agreeOnContent(**macs.begin(), **(macs.begin() + 1));
        failure << "; " << (agreement ? "the Macs hold the same content" : agreement.message());
    }
    return failure;
}

} // namespace zorv
