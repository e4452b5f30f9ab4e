#include "statusmenu/statusitemcontroller.h"

#include "appmodel.h"
#include "menupresenter.h"
#include "shellcommands.h"
#include "statusitembutton.h"
#include "symbols/symbolglyphs.h"

namespace zorv {

namespace {

// The template picture of the icon: drawn in black, the bar tints it.
constexpr int iconPixels = 36;

} // namespace

StatusItemController::StatusItemController(StatusItemButton *button, Application &application,
                                           MenuPresenter &presenter, AppModel &model,
                                           ShellCommands &commands,
                                           std::function<StatusMenuState()> state, QObject *parent)
    : QObject(parent), m_button(button), m_application(application), m_presenter(presenter),
      m_model(model), m_commands(commands), m_state(std::move(state)) {}

void StatusItemController::configureIcon() {
    if (!m_button || m_configured) {
        return;
    }
    m_configured = true;
    const QImage image =
        SymbolGlyphs::image(QStringLiteral("line.3.horizontal.decrease"), iconPixels, Qt::black);
    if (!image.isNull()) {
        m_button->setImage(image);
    }
    m_button->setToolTip(QStringLiteral("Zorv"));
    connect(m_button, &StatusItemButton::clicked, this, [this] { iconClicked(); });
}

void StatusItemController::replaceButton(StatusItemButton *button) {
    if (m_button) {
        disconnect(m_button, nullptr, this, nullptr);
    }
    m_button = button;
    if (std::exchange(m_configured, false)) {
        configureIcon();
    }
}

IconClick StatusItemController::route(const std::optional<AppEvent> &event,
                                      bool iconClickOpensMenu) {
    bool wantsMenu = false;
    bool option = false;
    if (event) {
        wantsMenu = event->type == EventType::RightMouseUp ||
                    (event->modifierFlags & EventFlags::control) != 0;
        option = (event->modifierFlags & EventFlags::option) != 0;
    }
    if (wantsMenu == iconClickOpensMenu) {
        return IconClick{false, option};
    }
    return IconClick{true, false};
}

void StatusItemController::iconClicked() {
    const IconClick click =
        route(m_application.currentEvent(), m_model.settings().iconClickOpensMenu);
    if (click.opensMenu) {
        popUpMenu();
    } else {
        revealFromIcon(click.includeAlwaysHidden);
    }
}

void StatusItemController::revealFromIcon(bool includeAlwaysHidden) {
    if (m_model.secondaryBarEnabled()) {
        m_model.toggleSecondaryBar(includeAlwaysHidden);
    } else if (includeAlwaysHidden) {
        m_commands.toggleRevealAll();
    } else {
        m_model.toggleReveal();
    }
}

void StatusItemController::popUpMenu() {
    if (!m_button) {
        return;
    }
    const auto window = m_button->window();
    const double height = window ? window->frame.height() : 0.0;
    auto menu =
        std::make_shared<Menu>(StatusMenuBuilder::buildMenu(m_state(), m_commands, m_presenter));
    m_presenter.popUp(std::move(menu), *m_button, QPointF(0, height + menuGap));
}

} // namespace zorv
