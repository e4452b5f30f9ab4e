#include "symbols/glyphcatalogue.h"

namespace zorv {

const GlyphCatalogue::Table &GlyphCatalogue::drawings() {
    static const Table table = [] {
        Table all;
        for (const Table &family : {marks(), items(), commands()}) {
            for (auto it = family.cbegin(); it != family.cend(); ++it) {
                Q_ASSERT(!all.contains(it.key()));
                all.insert(it.key(), it.value());
            }
        }
        return all;
    }();
    return table;
}

} // namespace zorv
