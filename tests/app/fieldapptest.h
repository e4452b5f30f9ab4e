#pragma once

#include "wholeapptest.h"

#include <QJsonArray>
#include <QString>

class QQuickItem;

namespace zorv {

// The keys of the letters, by their place on the US keyboard.
inline constexpr quint16 aKey = 0;
inline constexpr quint16 zKey = 6;
inline constexpr quint16 xKey = 7;
inline constexpr quint16 cKey = 8;
inline constexpr quint16 vKey = 9;

// Zorv on its first launch on the laptop (with `events`), driven only through the simulated
// Mac's mouse and keyboard, to edit text in a field of the settings window with keys and with its
// main menu's rows.
class FieldAppTest : public WholeAppTest {
protected:
    explicit FieldAppTest(SimOptions options = {}, const QJsonArray &events = {});

    void SetUp() override;

    // Clicks Zorv's icon, then the status menu's row.
    void chooseFromStatusMenu(const QString &title);
    // Clicks the title of Zorv's main menu in the bar.
    void openMainMenu(const QString &menu);
    // Clicks the title of Zorv's main menu in the bar, then the row.
    void chooseFromMainMenu(const QString &menu, const QString &title);

    // Opens Settings on the pane of `rail` and clicks the (first) field named `name` there.
    void clickField(const QString &rail, const QString &name);
    // Opens Settings on the Profiles pane and clicks its name field.
    void clickProfileName();

    // Cuts all the field holds, pastes it twice, takes both pastes back and puts the first back
    // again, with Command keys.
    void redoFirstOfTwoPastesByKeys();
    // The same with the Edit menu's rows.
    void redoFirstOfTwoPastesByRows();

    [[nodiscard]] QString fieldText() const;

    QQuickItem *field = nullptr;
};

} // namespace zorv
