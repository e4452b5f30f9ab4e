#include "scenariotimeline.h"

using namespace Qt::StringLiterals;

namespace zorv {

using namespace scenarioaction;

ScenarioTimeline::ScenarioTimeline(const QList<ScenarioApplication> &applications,
                                   const QList<ScreenRecord> &screens) {
    for (const ScenarioApplication &app : applications) {
        m_apps.insert(app.ref, app);
    }
    for (const ScreenRecord &screen : screens) {
        m_displays.append(screen.displayId);
    }
}

const ScenarioApplication *ScenarioTimeline::application(const QString &app) const {
    const auto found = m_apps.constFind(app);
    return found == m_apps.constEnd() ? nullptr : &*found;
}

std::optional<ScenarioTimeline::Refusal> ScenarioTimeline::checkRunning(const QString &app) const {
    const auto found = m_apps.constFind(app);
    if (found == m_apps.constEnd()) {
        return Refusal{u"app"_s, u"No application \"%1\" is declared."_s.arg(app)};
    }
    if (!found->running) {
        return Refusal{u"app"_s, u"\"%1\" is not running at that time."_s.arg(app)};
    }
    return std::nullopt;
}

qsizetype ScenarioTimeline::itemIndex(const QString &app, const QString &item) const {
    const QList<ScenarioItem> &items = m_apps.value(app).items;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].autosaveName == item) {
            return i;
        }
    }
    return -1;
}

std::optional<ScenarioTimeline::Refusal> ScenarioTimeline::checkItem(const QString &app,
                                                                     const QString &item) const {
    if (auto refusal = checkRunning(app)) {
        return refusal;
    }
    if (itemIndex(app, item) < 0) {
        return Refusal{
            u"item"_s,
            u"\"%1\" has no item with the autosave name \"%2\" at that time."_s.arg(app, item)};
    }
    return std::nullopt;
}

std::optional<ScenarioTimeline::Refusal> ScenarioTimeline::checkDisplay(const QString &key,
                                                                        DisplayId display) const {
    if (!m_displays.contains(display)) {
        return Refusal{key, u"No display %1 exists at that time."_s.arg(display)};
    }
    return std::nullopt;
}

std::optional<ScenarioTimeline::Refusal> ScenarioTimeline::apply(const ScenarioAction &action) {
    if (auto refusal = applyToApplication(action)) {
        return refusal;
    }
    if (auto refusal = applyToKeys(action)) {
        return refusal;
    }
    return applyToScreens(action);
}

std::optional<ScenarioTimeline::Refusal>
ScenarioTimeline::applyToKeys(const ScenarioAction &action) {
    const auto *input = std::get_if<Input>(&action);
    if (!input) {
        return std::nullopt;
    }
    // Typing names its characters, Shift included, and a scroll holds no modifier keys of its own.
    if ((input->kind == Input::Kind::Type || input->kind == Input::Kind::Scroll) &&
        m_heldModifiers != 0) {
        return Refusal{u"input"_s, u"Typing and scrolling hold no modifier keys, and one is "
                                   u"held on its own at that time."_s};
    }
    const bool held = (m_heldModifiers & input->modifier) != 0;
    if (input->kind == Input::Kind::ModifierDown) {
        if (held) {
            return Refusal{u"modifier"_s, u"This modifier key is already held at that time."_s};
        }
        m_heldModifiers |= input->modifier;
    } else if (input->kind == Input::Kind::ModifierUp) {
        if (!held) {
            return Refusal{u"modifier"_s, u"This modifier key is not held at that time."_s};
        }
        m_heldModifiers &= ~input->modifier;
    }
    return std::nullopt;
}

std::optional<ScenarioTimeline::Refusal>
ScenarioTimeline::applyToApplication(const ScenarioAction &action) {
    if (const auto *launch = std::get_if<Launch>(&action)) {
        if (!m_apps.contains(launch->app)) {
            return checkRunning(launch->app);
        }
        if (m_apps[launch->app].running) {
            return Refusal{u"app"_s, u"\"%1\" is already running at that time."_s.arg(launch->app)};
        }
        m_apps[launch->app].running = true;
    } else if (const auto *quit = std::get_if<Quit>(&action)) {
        if (auto refusal = checkRunning(quit->app)) {
            return refusal;
        }
        m_apps[quit->app].running = false;
        m_apps[quit->app].hung = false;
    } else if (const auto *add = std::get_if<AddItem>(&action)) {
        if (auto refusal = checkRunning(add->app)) {
            return refusal;
        }
        if (!add->item.autosaveName.isEmpty() && itemIndex(add->app, add->item.autosaveName) >= 0) {
            return Refusal{u"item"_s, u"\"%1\" already has an item \"%2\"."_s.arg(
                                          add->app, add->item.autosaveName)};
        }
        m_apps[add->app].items.append(add->item);
    } else if (const auto *remove = std::get_if<RemoveItem>(&action)) {
        if (auto refusal = checkItem(remove->app, remove->item)) {
            return refusal;
        }
        m_apps[remove->app].items.removeAt(itemIndex(remove->app, remove->item));
    } else if (const auto *title = std::get_if<SetTitle>(&action)) {
        if (auto refusal = checkItem(title->app, title->item)) {
            return refusal;
        }
        m_apps[title->app].items[itemIndex(title->app, title->item)].title = title->title;
    } else if (const auto *length = std::get_if<SetLength>(&action)) {
        if (auto refusal = checkItem(length->app, length->item)) {
            return refusal;
        }
        m_apps[length->app].items[itemIndex(length->app, length->item)].length = length->length;
    } else if (const auto *hidden = std::get_if<SetHidden>(&action)) {
        if (auto refusal = checkItem(hidden->app, hidden->item)) {
            return refusal;
        }
        m_apps[hidden->app].items[itemIndex(hidden->app, hidden->item)].hidden = hidden->hidden;
    } else if (const auto *drag = std::get_if<DragItem>(&action)) {
        return checkItem(drag->app, drag->item);
    } else if (const auto *activate = std::get_if<Activate>(&action)) {
        if (auto refusal = checkRunning(activate->app)) {
            return refusal;
        }
        ScenarioApplication &app = m_apps[activate->app];
        if (app.activationPolicy != ActivationPolicy::Regular) {
            return Refusal{u"app"_s,
                           u"Only an application with the regular policy can be frontmost."_s};
        }
        app.menusWidth = activate->menusWidth.value_or(app.menusWidth);
    } else if (const auto *hung = std::get_if<SetHung>(&action)) {
        if (auto refusal = checkRunning(hung->app)) {
            return refusal;
        }
        m_apps[hung->app].hung = hung->hung;
    } else if (const auto *setDrag = std::get_if<SetDrag>(&action)) {
        if (auto refusal = checkRunning(setDrag->app)) {
            return refusal;
        }
        m_apps[setDrag->app].drag = setDrag->drag;
    }
    return std::nullopt;
}

std::optional<ScenarioTimeline::Refusal>
ScenarioTimeline::applyToScreens(const ScenarioAction &action) {
    if (const auto *add = std::get_if<AddScreen>(&action)) {
        if (m_displays.contains(add->screen.displayId)) {
            return Refusal{u"screen"_s,
                           u"Display %1 exists already at that time."_s.arg(add->screen.displayId)};
        }
        m_displays.append(add->screen.displayId);
    } else if (const auto *remove = std::get_if<RemoveScreen>(&action)) {
        if (auto refusal = checkDisplay(u"display"_s, remove->display)) {
            return refusal;
        }
        if (m_displays.size() == 1) {
            return Refusal{u"display"_s, u"The last display cannot be removed."_s};
        }
        m_displays.removeOne(remove->display);
    } else if (const auto *change = std::get_if<ChangeScreen>(&action)) {
        return checkDisplay(u"display"_s, change->display);
    } else if (const auto *activate = std::get_if<ActivateDisplay>(&action)) {
        return checkDisplay(u"display"_s, activate->display);
    }
    return std::nullopt;
}

} // namespace zorv
