#include "fieldediting.h"

#include "focusedcontrol.h"
#include "pasteboardclipboard.h"

#include <QMetaObject>
#include <QQuickItem>
#include <QQuickWindow>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The responder actions a text control answers with a method of its own, by their names.
constexpr std::array<std::pair<const char *, const char *>, 6> methodOf{{
    {"undo:", "undo()"},
    {"redo:", "redo()"},
    {"cut:", "cut()"},
    {"copy:", "copy()"},
    {"paste:", "paste()"},
    {"selectAll:", "selectAll()"},
}};

bool usesPasteboard(const QString &action) {
    return action == "cut:"_L1 || action == "copy:"_L1 || action == "paste:"_L1;
}

bool hasMethod(const QObject &object, const char *signature) {
    return object.metaObject()->indexOfMethod(signature) >= 0;
}

// Delete takes the selection away, as the Delete key would, without touching the clipboard.
bool deleteSelection(QQuickItem &item) {
    if (!hasMethod(item, "remove(int,int)")) {
        return false;
    }
    const int start = item.property("selectionStart").toInt();
    const int end = item.property("selectionEnd").toInt();
    if (start < end) {
        QMetaObject::invokeMethod(&item, "remove", Q_ARG(int, start), Q_ARG(int, end));
    }
    return true;
}

} // namespace

bool FieldEditing::perform(QWindow &window, const QString &action) {
    auto *quickWindow = qobject_cast<QQuickWindow *>(&window);
    QQuickItem *item = quickWindow ? focusedControl(*quickWindow) : nullptr;
    if (!item) {
        return false;
    }
    if (action == "delete:"_L1) {
        return deleteSelection(*item);
    }
    for (const auto &[name, signature] : methodOf) {
        if (action != QLatin1StringView(name) || !hasMethod(*item, signature)) {
            continue;
        }
        const QByteArray method(signature, qsizetype(qstrlen(signature)) - 2);
        const auto invoke = [&] { return QMetaObject::invokeMethod(item, method.constData()); };
        return usesPasteboard(action) ? m_clipboard.lend(invoke) : invoke();
    }
    return false;
}

} // namespace zorv
