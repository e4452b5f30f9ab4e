#pragma once

#include "clock.h"
#include "systemappearance.h"

#include <QObject>

class QQmlEngine;

namespace zorv {

class ItemPictures;

// What the kit's QML types need from the running program: the appearance the palette follows and
// the clock every timer of the kit runs on. install() hangs one kit on a QML engine (as its child)
// and adds the kit's image providers ("zorvsymbol" for system symbols, "zorvitem" for menu-bar
// item pictures and "zorvappicon" for Zorv's own icon); the kit's types find it again through of().
// Install before loading any QML that uses the kit.
class ZorvKit : public QObject {
    Q_OBJECT

public:
    // A second install on the same engine keeps the first kit.
    static ZorvKit &install(QQmlEngine &engine, SystemAppearance &appearance, Clock &clock);
    // The kit installed on `engine`; null when none is (or `engine` is null).
    [[nodiscard]] static ZorvKit *of(const QQmlEngine *engine);

    [[nodiscard]] SystemAppearance &appearance() const { return m_appearance; }
    [[nodiscard]] Clock &clock() const { return m_clock; }
    // The pictures of menu-bar items that views show (owned by the QML engine).
    [[nodiscard]] ItemPictures &itemPictures() const { return *m_itemPictures; }

private:
    ZorvKit(SystemAppearance &appearance, Clock &clock, QObject *parent);

    SystemAppearance &m_appearance;
    Clock &m_clock;
    ItemPictures *m_itemPictures = nullptr;
};

} // namespace zorv
