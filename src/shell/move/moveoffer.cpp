#include "moveoffer.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace zorv {

MoveOffer::MoveOffer(QString sourceFolder, Mover move, std::function<void()> later, QObject *parent)
    : QObject(parent), m_sourceFolder(std::move(sourceFolder)), m_move(std::move(move)),
      m_later(std::move(later)) {}

QString MoveOffer::message() const {
    return u"Zorv is running from your "_s + m_sourceFolder +
           u" folder. From Applications it can update itself and start at login. Your layout "
           u"and settings stay exactly as they are."_s;
}

QString MoveOffer::moveLabel() const {
    return m_moving ? u"Moving…"_s : u"Move to Applications"_s;
}

void MoveOffer::set(bool moving, QString error) {
    if (m_moving == moving && m_error == error) {
        return;
    }
    m_moving = moving;
    m_error = std::move(error);
    Q_EMIT changed();
}

void MoveOffer::move() {
    if (m_moving || !m_move) {
        return;
    }
    set(true, {});
    // A successful move ends the process; the offer may be gone by the time it returns.
    const QPointer<MoveOffer> self(this);
    const std::optional<QString> failure = m_move();
    if (self && failure) {
        set(false, *failure);
    }
}

void MoveOffer::later() {
    if (m_later) {
        m_later();
    }
}

} // namespace zorv
