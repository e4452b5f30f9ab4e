#include "stylepanemodel.h"

#include "connections.h"
#include "look/hexcolor.h"
#include "settingsproperties.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

StylePaneModel::StylePaneModel(QObject *parent) : QObject(parent) {}

void StylePaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnectAll(m_connections);
    m_view = view;
    if (m_view) {
        m_connections = {
            connect(m_view, &ModelView::appearanceChanged, this, &StylePaneModel::changed),
            connect(m_view->settings(), &SettingsProperties::changed, this,
                    &StylePaneModel::changed),
        };
    }
    Q_EMIT viewChanged();
    Q_EMIT changed();
}

Appearance StylePaneModel::stored() const {
    return m_view ? m_view->appearance().toAppearance() : Appearance();
}

void StylePaneModel::write(const std::function<void(Appearance &)> &change) {
    if (!m_view) {
        return;
    }
    Appearance look = stored();
    if (!HexColor::parse(look.tintHex)) {
        look.tintHex = HexColor::hexString(Qt::black);
    }
    if (!std::isfinite(look.tintOpacity) || look.tintOpacity < 0 || look.tintOpacity > 1) {
        look.tintOpacity = strengthRange.clamp(look.tintOpacity);
    }
    if (!std::isfinite(look.cornerRadius) || look.cornerRadius < 0) {
        look.cornerRadius = cornerRange.clamp(look.cornerRadius);
    }
    change(look);
    m_view->setAppearance(AppearanceValue(look));
}

bool StylePaneModel::tintEnabled() const {
    return stored().tintEnabled;
}

void StylePaneModel::setTintEnabled(bool enabled) {
    if (enabled != tintEnabled()) {
        write([enabled](Appearance &look) { look.tintEnabled = enabled; });
    }
}

QString StylePaneModel::tintReadout() const {
    return stored().tintHex.toUpper();
}

QColor StylePaneModel::tintColor() const {
    return HexColor::parse(stored().tintHex).value_or(QColor(Qt::black));
}

double StylePaneModel::strength() const {
    return strengthRange.clamp(stored().tintOpacity);
}

void StylePaneModel::setStrength(double opacity) {
    if (!std::isfinite(opacity)) {
        return;
    }
    const double value = strengthRange.clamp(opacity);
    if (value != stored().tintOpacity) {
        write([value](Appearance &look) { look.tintOpacity = value; });
    }
}

QString StylePaneModel::strengthReadout() const {
    // Truncated, so 0.999 reads 99%; the nudge keeps 0.29 (28.999... in binary) at 29%. Within
    // 0-100 because the strength is.
    return QString::number(static_cast<int>(strength() * 100 + 1e-9)) + u"%"_s;
}

bool StylePaneModel::hairline() const {
    return stored().borderEnabled;
}

void StylePaneModel::setHairline(bool enabled) {
    if (enabled != hairline()) {
        write([enabled](Appearance &look) { look.borderEnabled = enabled; });
    }
}

bool StylePaneModel::shadow() const {
    return stored().shadowEnabled;
}

void StylePaneModel::setShadow(bool enabled) {
    if (enabled != shadow()) {
        write([enabled](Appearance &look) { look.shadowEnabled = enabled; });
    }
}

double StylePaneModel::cornerRadius() const {
    return cornerRange.clamp(stored().cornerRadius);
}

void StylePaneModel::setCornerRadius(double points) {
    if (!std::isfinite(points)) {
        return;
    }
    const double value = std::round(cornerRange.clamp(points));
    if (value != stored().cornerRadius) {
        write([value](Appearance &look) { look.cornerRadius = value; });
    }
}

QString StylePaneModel::cornerReadout() const {
    // The radius the overlay is given, not the slider's: a synced or imported 20 reads "20pt"
    // while the slider stands at its end. The bar itself rounds by at most half its height.
    const double radius = stored().cornerRadius;
    if (!std::isfinite(radius) || radius <= 0) {
        return tr("Off");
    }
    return QString::number(std::trunc(radius), 'f', 0) + u"pt"_s;
}

bool StylePaneModel::pixelPerfectIcons() const {
    return m_view && m_view->settings()->pixelPerfectIcons();
}

void StylePaneModel::setPixelPerfectIcons(bool enabled) {
    if (m_view && enabled != pixelPerfectIcons()) {
        m_view->settings()->setPixelPerfectIcons(enabled);
    }
}

void StylePaneModel::pickColor(const QColor &color) {
    const QString hex = HexColor::hexString(color);
    write([&hex](Appearance &look) { look.tintHex = hex; });
}

} // namespace zorv
