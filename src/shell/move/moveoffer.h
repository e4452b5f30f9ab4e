#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

namespace zorv {

// What the offer to move into Applications shows and does: its texts, the failure of the last
// attempt, whether a move is running, and the two answers. "Move to Applications" clears the
// error, shows "Moving…" and runs the move, which reports a failure back; "Not Now" declines.
class MoveOffer : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString message READ message CONSTANT)
    Q_PROPERTY(QString error READ error NOTIFY changed)
    Q_PROPERTY(bool moving READ moving NOTIFY changed)
    Q_PROPERTY(QString moveLabel READ moveLabel NOTIFY changed)
    QML_ELEMENT
    QML_UNCREATABLE("Made by the move offer.")

public:
    // Performs the move; a failure comes back as the message to show.
    using Mover = std::function<std::optional<QString>()>;

    MoveOffer(QString sourceFolder, Mover move, std::function<void()> later,
              QObject *parent = nullptr);

    [[nodiscard]] static QString title() {
        return QStringLiteral("Move Zorv to your Applications folder?");
    }
    [[nodiscard]] QString message() const;
    // Empty while there is nothing to report.
    [[nodiscard]] const QString &error() const { return m_error; }
    [[nodiscard]] bool moving() const { return m_moving; }
    [[nodiscard]] QString moveLabel() const;

    Q_INVOKABLE void move();
    Q_INVOKABLE void later();

Q_SIGNALS:
    void changed();

private:
    void set(bool moving, QString error);

    QString m_sourceFolder;
    Mover m_move;
    std::function<void()> m_later;
    QString m_error;
    bool m_moving = false;
};

} // namespace zorv
