#include "contextreadout.h"

using namespace Qt::StringLiterals;

namespace zorv {

QList<ReadoutElement> contextReadout(const TriggerContext &context, LocationStatus location) {
    QList<ReadoutElement> elements;
    if (context.batteryPercent) {
        elements.append({ReadoutElement::Kind::Pill,
                         QString::number(*context.batteryPercent) + u'%', u"battery.100"_s});
        const QString source = context.isCharging    ? u"Charging"_s
                               : context.isOnBattery ? u"On battery"_s
                                                     : u"Plugged in"_s;
        // The symbol follows the power source alone: a Mac can charge while it runs on battery.
        elements.append({ReadoutElement::Kind::Pill, source,
                         context.isOnBattery ? u"bolt.slash"_s : u"powerplug"_s});
    }
    if (context.currentSSID) {
        elements.append({ReadoutElement::Kind::Pill, *context.currentSSID, u"wifi"_s});
    } else if (location != LocationStatus::AuthorizedAlways) {
        elements.append(
            {ReadoutElement::Kind::LocationButton, u"Show Wi-Fi Name\u2026"_s, u"wifi"_s});
    } else {
        elements.append({ReadoutElement::Kind::Pill, u"No Wi-Fi"_s, u"wifi.slash"_s});
    }
    return elements;
}

} // namespace zorv
