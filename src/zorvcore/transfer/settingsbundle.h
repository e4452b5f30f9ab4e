#pragma once

#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "settings/settings.h"
#include "settingsimporterror.h"
#include "triggers/triggerset.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace zorv {

// The whole setup in one document: what export writes to the user's file, what import reads back,
// and the safety copy taken before an import replaces the current setup.
struct SettingsBundle {
    using ImportError = SettingsImportError;

    static constexpr QStringView kFormatTag = u"zorv-settings-v1";
    // 10 MB; a document of exactly this size is still read.
    static constexpr qint64 kMaxDocumentBytes = 10 * 1024 * 1024;

    // `format` is always kFormatTag.
    SettingsBundle(std::optional<QDateTime> exported, Settings settings, SectionLayout layout,
                   ProfileSet profiles, TriggerSet triggers);

    QString format;
    std::optional<QDateTime> exported;
    Settings settings;
    SectionLayout layout;
    ProfileSet profiles;
    TriggerSet triggers;

    // Pretty-printed with sorted keys and ISO-8601 dates, or compact when the pretty form would
    // pass kMaxDocumentBytes, so that decode() always takes it back; the same bundle always gives
    // the same bytes. Throws EncodeError (Reason::TooLarge when even the compact form passes
    // the limit).
    [[nodiscard]] QByteArray encoded() const;
    // Refuses an oversized document before parsing (ImportError tooLarge), then decodes strictly
    // (DecodeError), then refuses another format tag (ImportError unsupportedFormat), and a setup
    // that encoded() could not write within kMaxDocumentBytes (ImportError tooLarge).
    [[nodiscard]] static SettingsBundle decode(const QByteArray &data);

    friend bool operator==(const SettingsBundle &, const SettingsBundle &) = default;
};

} // namespace zorv
