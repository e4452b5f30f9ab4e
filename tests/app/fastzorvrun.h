#pragma once

#include <QByteArray>
#include <QImage>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zorv {

// The real `zorv` executable in fast time, offscreen, on a home and data folder of its own, as a
// user starting it from a shell runs it. Several can run side by side.
class FastZorvRun {
public:
    FastZorvRun();
    // Kills a run that is still going.
    ~FastZorvRun();
    FastZorvRun(const FastZorvRun &) = delete;
    FastZorvRun &operator=(const FastZorvRun &) = delete;

    // Stores `json` as Zorv's settings; before start().
    void storeSettings(const QByteArray &json);
    // Writes `scenario` into the run's folder and names it to the run; before start().
    void useScenario(const QJsonObject &scenario);
    // Starts `zorv --sim-time fast` with the scenario, if any, a dump and pictures in the run's
    // folder, and `arguments`.
    void start(const QStringList &arguments);
    // Waits for the run to end until `deadlineMs` of the wall clock (QDateTime's milliseconds
    // since the epoch); false, the run killed, when it has not ended by then.
    [[nodiscard]] bool finishBy(qint64 deadlineMs);

    [[nodiscard]] int exitCode() const { return m_zorv.exitCode(); }
    [[nodiscard]] bool exitedNormally() const {
        return m_zorv.exitStatus() == QProcess::NormalExit;
    }
    // What the run wrote on standard error.
    [[nodiscard]] QByteArray errors();
    // Zorv's folder of stored files.
    [[nodiscard]] QString dataFolder() const;
    // The dump written at the end; empty when there is none.
    [[nodiscard]] QJsonObject dump() const;
    // The picture of the screen saved at the end; null when there is none.
    [[nodiscard]] QImage finalPicture() const;
    // The panes whose guides the stored settings record as seen, in their order.
    [[nodiscard]] QStringList seenGuides() const;

private:
    QTemporaryDir m_work;
    QString m_scenario;
    QProcess m_zorv;
};

// Timed inputs of a scenario: a left click at (x, y), and a key by its virtual key code.
QJsonObject clickAt(double at, double x, double y);
QJsonObject keyAt(double at, int keyCode);

} // namespace zorv
