#pragma once

#include "cancellation.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QtQmlIntegration>

namespace zorv {

class Accessibility;
class Clock;
class ModelView;

// The welcome tour's three pages: what the app is, the Accessibility permission it needs, and how
// to use it. Holds the page shown, the footer's buttons and what Return does on each page, and
// whether the process is trusted for accessibility, re-read every second while polling. Finishing
// (Done, or Open Menu Bar Layout and Return on the last page) is announced with finished(); the
// owner marks the tour completed. Main thread; the view, the clock and the accessibility service
// must outlive it.
class WelcomeWindowModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the onboarding controller.")
    Q_MOC_INCLUDE("modelview.h")

    Q_PROPERTY(zorv::ModelView *view READ view CONSTANT)
    Q_PROPERTY(int page READ page NOTIFY pageChanged)
    Q_PROPERTY(int pageCount READ pageCount CONSTANT)
    // The page whose dot is lit: 0, 1 or 2.
    Q_PROPERTY(int dot READ dot NOTIFY pageChanged)
    Q_PROPERTY(bool backShown READ backShown NOTIFY pageChanged)
    Q_PROPERTY(bool doneShown READ doneShown NOTIFY pageChanged)
    // The default button's title; Return presses it.
    Q_PROPERTY(QString primaryTitle READ primaryTitle NOTIFY primaryTitleChanged)
    Q_PROPERTY(bool axTrusted READ axTrusted NOTIFY axTrustedChanged)
    // The last page's lines: {symbol, text}, "{token}"s drawn as key caps.
    Q_PROPERTY(QVariantList readyLines READ readyLines NOTIFY readyLinesChanged)

public:
    static constexpr double pollSeconds = 1.0;
    static constexpr int welcomePage = 0;
    static constexpr int accessibilityPage = 1;
    static constexpr int readyPage = 2;

    WelcomeWindowModel(ModelView &view, Clock &clock, Accessibility &accessibility,
                       QObject *parent = nullptr);
    ~WelcomeWindowModel() override;

    [[nodiscard]] ModelView *view() const { return &m_view; }
    [[nodiscard]] int page() const { return m_page; }
    [[nodiscard]] static int pageCount() { return 3; }
    [[nodiscard]] int dot() const;
    [[nodiscard]] bool backShown() const { return m_page > welcomePage; }
    [[nodiscard]] bool doneShown() const { return dot() == readyPage; }
    [[nodiscard]] QString primaryTitle() const;
    [[nodiscard]] bool axTrusted() const { return m_axTrusted; }
    [[nodiscard]] QVariantList readyLines() const;

    // The default button, and Return: on to the next page, or, on the last, finish and open the
    // Menu Bar Layout pane.
    Q_INVOKABLE void advance();
    Q_INVOKABLE void back();
    // The last page's Done: finish without a follow-up.
    Q_INVOKABLE void done();
    Q_INVOKABLE void openAccessibilitySettings();

    // Re-reads the trust every second until stopPolling(); each start reads it at once.
    void startPolling();
    void stopPolling();
    [[nodiscard]] bool isPolling() const { return m_polling; }

Q_SIGNALS:
    void pageChanged();
    void primaryTitleChanged();
    void axTrustedChanged();
    void readyLinesChanged();
    // `followUp`: the user asked to go on to the Menu Bar Layout pane.
    void finished(bool followUp);

private:
    void setPage(int page);
    void readTrust();
    static QCoro::Task<> poll(QPointer<WelcomeWindowModel> self, Clock &clock,
                              CancellationToken token);

    ModelView &m_view;
    Clock &m_clock;
    Accessibility &m_accessibility;
    int m_page = welcomePage;
    bool m_axTrusted = false;
    bool m_polling = false;
    CancellationSource m_poll;
};

} // namespace zorv
