#include "kit/zorvkit.h"

#include "appicon/appiconimageprovider.h"
#include "items/itempictures.h"
#include "symbols/symbolimageprovider.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

ZorvKit::ZorvKit(SystemAppearance &appearance, Clock &clock, QObject *parent)
    : QObject(parent), m_appearance(appearance), m_clock(clock) {}

ZorvKit &ZorvKit::install(QQmlEngine &engine, SystemAppearance &appearance, Clock &clock) {
    if (ZorvKit *installed = of(&engine)) {
        return *installed;
    }
    auto *kit = new ZorvKit(appearance, clock, &engine);
    // The module's qmldir sits at ":/Zorv/UI/qmldir".
    engine.addImportPath(u"qrc:/"_s);
    engine.addImageProvider(SymbolImageProvider::providerId, new SymbolImageProvider);
    engine.addImageProvider(AppIconImageProvider::providerId, new AppIconImageProvider);
    kit->m_itemPictures = new ItemPictures;
    engine.addImageProvider(ItemPictures::providerId, kit->m_itemPictures);
    return *kit;
}

ZorvKit *ZorvKit::of(const QQmlEngine *engine) {
    return engine ? engine->findChild<ZorvKit *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace zorv
