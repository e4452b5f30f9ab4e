#pragma once

#include "guidecontext.h"
#include "settingspane.h"

#include <QList>
#include <QString>

namespace zorv {

// One numbered step of a pane's guide.
struct GuideStep {
    // The symbol of the step's icon.
    QString symbol;
    QString title;
    // One or two sentences; "{token}" segments are drawn as key caps.
    QString text;

    friend bool operator==(const GuideStep &, const GuideStep &) = default;
};

// The step catalogue of the pane guides.
namespace PaneGuides {

// The steps of the pane's guide ("How This Page Works"), two to four, with the texts that depend
// on the user's settings taken from `context`.
[[nodiscard]] QList<GuideStep> steps(SettingsPane pane, const GuideContext &context);

} // namespace PaneGuides

} // namespace zorv
