#pragma once

#include "cancellation.h"
#include "displayid.h"
#include "inputevent.h"
#include "model/desktopmodel.h"

#include <QCoroTask>
#include <QObject>
#include <QPointF>
#include <QString>

#include <optional>

namespace zorv {

// Status items' tool tips as the system shows them: once the pointer has rested on an item that
// has one for `delaySeconds` of simulated time, its text shows under the pointer, below the bar,
// until the pointer leaves the item or a button, key or wheel is used. After such use the item's
// tool tip waits until the pointer has left it. Nothing shows while a menu is open. Main thread.
class SimToolTips final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool shown READ isShown NOTIFY changed)
    Q_PROPERTY(QString text READ text NOTIFY changed)
    Q_PROPERTY(int displayId READ displayId NOTIFY changed)
    Q_PROPERTY(QPointF location READ location NOTIFY changed)

public:
    static constexpr double delaySeconds = 1.0;
    // The tip's top edge lies this far below the pointer, and at least this far below the bar.
    static constexpr double belowPointer = 20.0;
    static constexpr double belowBar = 4.0;

    struct Tip {
        quint64 itemId = 0;
        QString text;
        DisplayId displayId = 0;
        // The tip's top-left corner from its screen's top-left corner, in points.
        QPointF location;

        friend bool operator==(const Tip &, const Tip &) = default;
    };

    explicit SimToolTips(DesktopModel &model, QObject *parent = nullptr);
    ~SimToolTips() override;

    [[nodiscard]] const std::optional<Tip> &shown() const { return m_shown; }
    [[nodiscard]] bool isShown() const { return m_shown.has_value(); }
    [[nodiscard]] QString text() const { return m_shown ? m_shown->text : QString(); }
    [[nodiscard]] int displayId() const { return m_shown ? int(m_shown->displayId) : -1; }
    [[nodiscard]] QPointF location() const { return m_shown ? m_shown->location : QPointF(); }

    // One of the user's events (the cursor in the top-left convention), with whether a menu is
    // open.
    void userEvent(EventType type, QPointF cursor, bool menuOpen);

Q_SIGNALS:
    void changed();

private:
    // The item under the cursor when it has a tool tip, 0 otherwise.
    [[nodiscard]] quint64 itemWithTipAt(QPointF cursor) const;
    void forget();
    void hide();
    QCoro::Task<> showLater(quint64 itemId, CancellationToken cancellation);
    [[nodiscard]] std::optional<Tip> tipFor(quint64 itemId) const;

    DesktopModel &m_model;
    quint64 m_hovered = 0;
    // The hovered item's tip waits for the pointer to leave it.
    bool m_used = false;
    std::optional<Tip> m_shown;
    std::optional<CancellationSource> m_pending;
    std::optional<QCoro::Task<>> m_task;
};

} // namespace zorv
