#pragma once

#include "model/desktopmodel.h"
#include "screens.h"

namespace zorv {

// The screen list of the simulated desktop; screenParametersChanged follows every change the
// ScreenArrangement makes.
class SimScreens final : public Screens {
    Q_OBJECT

public:
    explicit SimScreens(DesktopModel &model, QObject *parent = nullptr);

    [[nodiscard]] QList<Screen> screens() const override;
    [[nodiscard]] std::optional<Screen> mainScreen() const override;

private:
    DesktopModel &m_model;
};

} // namespace zorv
