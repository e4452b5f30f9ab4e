#include "fastzorvrun.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

} // namespace

FastZorvRun::FastZorvRun() {
    EXPECT_TRUE(QDir().mkpath(dataFolder()));
}

FastZorvRun::~FastZorvRun() {
    if (m_zorv.state() != QProcess::NotRunning) {
        m_zorv.kill();
        m_zorv.waitForFinished(5000);
    }
}

QString FastZorvRun::dataFolder() const {
    return m_work.filePath(u"data/Zorv"_s);
}

void FastZorvRun::storeSettings(const QByteArray &json) {
    writeFile(dataFolder() + u"/settings.json"_s, json);
}

void FastZorvRun::useScenario(const QJsonObject &scenario) {
    m_scenario = m_work.filePath(u"scenario.json"_s);
    writeFile(m_scenario, QJsonDocument(scenario).toJson());
}

void FastZorvRun::start(const QStringList &arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The program's own choices for fast time, not the test environment's.
    for (const QString &variable : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"ZORV_UPDATE_TEST_FEED"_s,
                                    u"QT_QPA_UPDATE_IDLE_TIME"_s, u"QSG_RENDER_LOOP"_s}) {
        environment.remove(variable);
    }
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"HOME"_s, m_work.filePath(u"home"_s));
    environment.insert(u"XDG_DATA_HOME"_s, m_work.filePath(u"data"_s));
    m_zorv.setProcessEnvironment(environment);
    QStringList all{u"--sim-time"_s,        u"fast"_s,
                    u"--sim-dump"_s,        m_work.filePath(u"dump.json"_s),
                    u"--sim-screenshots"_s, m_work.filePath(u"pictures"_s)};
    if (!m_scenario.isEmpty()) {
        all << u"--sim-scenario"_s << m_scenario;
    }
    m_zorv.start(QStringLiteral(ZORV_EXECUTABLE), all + arguments);
}

bool FastZorvRun::finishBy(qint64 deadlineMs) {
    const qint64 left = deadlineMs - QDateTime::currentMSecsSinceEpoch();
    if (m_zorv.waitForFinished(int(std::max<qint64>(left, 1)))) {
        return true;
    }
    m_zorv.kill();
    m_zorv.waitForFinished(5000);
    return false;
}

QByteArray FastZorvRun::errors() {
    return m_zorv.readAllStandardError();
}

QJsonObject FastZorvRun::dump() const {
    return QJsonDocument::fromJson(readFile(m_work.filePath(u"dump.json"_s))).object();
}

QImage FastZorvRun::finalPicture() const {
    return QImage(m_work.filePath(u"pictures/final.png"_s));
}

QStringList FastZorvRun::seenGuides() const {
    const QJsonObject settings =
        QJsonDocument::fromJson(readFile(dataFolder() + u"/settings.json"_s)).object();
    QStringList seen;
    for (const QJsonValue &pane : settings.value(u"seenPaneGuides"_s).toArray()) {
        seen.append(pane.toString());
    }
    return seen;
}

QJsonObject clickAt(double at, double x, double y) {
    return {{u"at"_s, at},
            {u"do"_s, u"input"_s},
            {u"input"_s, u"leftClick"_s},
            {u"x"_s, x},
            {u"y"_s, y}};
}

QJsonObject keyAt(double at, int keyCode) {
    return {{u"at"_s, at}, {u"do"_s, u"input"_s}, {u"input"_s, u"key"_s}, {u"keyCode"_s, keyCode}};
}

} // namespace zorv
