#include "generatedbar.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The applications that come to the front in turn; the events need at least this many.
constexpr int kFrontApplications = 2;
constexpr int kEventApplications = 6;

QString bundleOf(int application) {
    return u"com.example.app%1"_s.arg(application);
}

QJsonObject barScenario(int count, bool regularFront) {
    QJsonArray applications;
    for (int i = 0; i < count; ++i) {
        QJsonObject application{
            {u"bundleId"_s, bundleOf(i)},
            {u"name"_s, u"App %1"_s.arg(i)},
            {u"items"_s, QJsonArray{QJsonObject{{u"autosaveName"_s, u"item"_s}}}},
        };
        if (regularFront && i < kFrontApplications) {
            application.insert(u"activationPolicy"_s, u"regular"_s);
        }
        applications.append(application);
    }
    return QJsonObject{
        {u"name"_s, u"Generated bar"_s},
        {u"screens"_s,
         QJsonArray{QJsonObject{
             {u"name"_s, u"Wide display"_s},
             {u"frame"_s,
              QJsonObject{{u"x"_s, 0}, {u"y"_s, 0}, {u"width"_s, 7680}, {u"height"_s, 2160}}}}}},
        {u"applications"_s, applications},
        {u"zorvPositions"_s, QJsonObject{{u"zorv-icon-v2"_s, 0},
                                         {u"zorv-hidden-separator-v2"_s, 400},
                                         {u"zorv-always-hidden-separator-v2"_s, 2000}}},
    };
}

QJsonObject event(int at, const QString &what, int application) {
    return QJsonObject{{u"at"_s, at}, {u"do"_s, what}, {u"app"_s, bundleOf(application)}};
}

QJsonObject itemEvent(int at, const QString &what, int application, const QString &item) {
    QJsonObject result = event(at, what, application);
    result.insert(u"item"_s, item);
    return result;
}

} // namespace

QByteArray generatedBar(int count) {
    return QJsonDocument(barScenario(count, false)).toJson();
}

QByteArray generatedBarWithEvents(int count) {
    Q_ASSERT(count >= kEventApplications);
    QJsonObject scenario = barScenario(count, true);
    std::vector<QJsonObject> events;
    for (int minute = 5; minute < 60; minute += 5) {
        QJsonObject front = event(minute * 60, u"activate"_s, (minute / 5) % kFrontApplications);
        front.insert(u"menusWidth"_s, minute % 10 == 0 ? 400 : 900);
        events.push_back(front);
    }
    for (int minute = 7; minute < 60; minute += 10) {
        QJsonObject length = itemEvent(minute * 60, u"setLength"_s, 2, u"item"_s);
        length.insert(u"length"_s, minute % 20 == 7 ? 40 : 22);
        events.push_back(length);
    }
    events.push_back(event(15 * 60, u"quit"_s, 3));
    events.push_back(event(16 * 60, u"launch"_s, 3));
    QJsonObject added = event(30 * 60, u"addItem"_s, 4);
    added.insert(u"item"_s, QJsonObject{{u"autosaveName"_s, u"extra"_s}});
    events.push_back(added);
    events.push_back(itemEvent(45 * 60, u"removeItem"_s, 4, u"extra"_s));
    for (const int minute : {20, 40}) {
        QJsonObject drag = itemEvent(minute * 60, u"dragItem"_s, 5, u"item"_s);
        drag.insert(u"toX"_s, 7680 - 200 - minute * 2);
        events.push_back(drag);
    }
    std::stable_sort(events.begin(), events.end(), [](const QJsonObject &a, const QJsonObject &b) {
        return a.value(u"at"_s).toInt() < b.value(u"at"_s).toInt();
    });
    QJsonArray timeline;
    for (const QJsonObject &each : events) {
        timeline.append(each);
    }
    scenario.insert(u"events"_s, timeline);
    return QJsonDocument(scenario).toJson();
}

} // namespace zorv
