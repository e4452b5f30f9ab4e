#include "reportfixture.h"

#include "installid.h"
#include "jsonreader.h"
#include "reportdiagnostics.h"
#include "reportfallback.h"

#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;

const Facts facts{u"app.zorv.Zorv"_s, u"1.4.2"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s,
                  u"Mac14,2"_s};

QByteArray bodyOf(const QString &text, const QString &diagnostics) {
    return Builder::body(text, u"Zorv"_s, u"INSTALL-1"_s, diagnostics, facts).value();
}

TEST(ReportBodyTest, isOneFlatObjectOfNineStringsInSortedOrderWithTheTextTrimmed) {
    EXPECT_EQ(bodyOf(u" \n  It broke.\n\nTwice. \t\n"_s, u"a/b \"q\"\n"_s),
              R"j({"appName":"Zorv","build":"142","bundleId":"app.zorv.Zorv",)j"
              R"j("diagnostics":"a\/b \"q\"\n","installId":"INSTALL-1",)j"
              R"j("macOS":"Version 14.5 (Build 23F79)","machine":"Mac14,2",)j"
              R"j("text":"It broke.\n\nTwice.","version":"1.4.2"})j");
    const Serialiser failing = [](const QJsonObject &) { return std::optional<QByteArray>(); };
    EXPECT_FALSE(Builder::body(u"t"_s, u"Zorv"_s, u"I"_s, u"d"_s, facts, failing));
}

// Each cut drops max(excess bytes, a tenth of the characters) of the oldest characters, marks
// it, and a body that fits is final. A character counts as one however many bytes it takes, so
// multi-byte and escaped ones are cut more than the byte excess alone would need.
TEST(ReportBodyTest, theSizeCapCutsTheOldestDiagnosticsUntilTheBodyFits) {
    const auto marker = [](qsizetype n) {
        return u"[\u2026 %1 earlier characters trimmed to fit \u2026]\n"_s.arg(n);
    };
    const qsizetype o = bodyOf(u"t"_s, QString()).size();
    const qsizetype over = 256'001 - o;
    // Two code points, eight bytes, one character.
    const QString thumbsUp = u"\U0001F44D\U0001F3FD"_s;
    const QString hugeText(300'000, u'w');
    struct Case {
        const char *name;
        QString text;
        QString diagnostics;
        QString expected;
    };
    const Case cases[] = {
        {"at the cap", u"t"_s, QString(256'000 - o, u'x'), QString(256'000 - o, u'x')},
        {"one byte over", u"t"_s, QString(over, u'x'),
         marker(over / 10) + QString(over - over / 10, u'x')},
        {"multi-byte", u"t"_s, QString(150'000, u'\u00e9'),
         marker(300'000 + o - 254'976) + QString(150'000 - (300'000 + o - 254'976), u'\u00e9')},
        {"escaped", u"t"_s, QString(150'000, u'"'),
         marker(300'000 + o - 254'976) + QString(150'000 - (300'000 + o - 254'976), u'"')},
        {"clusters", u"t"_s, thumbsUp.repeated(34'000),
         marker(272'000 + o - 254'976) + thumbsUp.repeated(34'000 - (272'000 + o - 254'976))},
        {"huge text empties short diagnostics", hugeText, u"Trusted   true\n"_s, QString()},
        {"huge text without diagnostics", hugeText, QString(), QString()},
    };
    for (const Case &c : cases) {
        const QByteArray body = bodyOf(c.text, c.diagnostics);
        const QJsonObject object = parseJson(body).toObject();
        EXPECT_EQ(object.value(u"diagnostics"_s).toString(), c.expected) << c.name;
        EXPECT_EQ(object.value(u"text"_s).toString(), c.text) << c.name;
        EXPECT_TRUE(c.expected.isEmpty() || body.size() <= Builder::maxBodyBytes) << c.name;
    }
}

TEST(ReportFallbackTextTest, holdsTheFactsTheTrimmedTextAndTheWholeDiagnostics) {
    const QString head = u"Zorv problem report\nVersion   1.4.2 (142)\n"
                         u"macOS     Version 14.5 (Build 23F79)\nMac       Mac14,2\n"
                         u"Install   INSTALL-1\n\nWhat happened:\n"_s;
    EXPECT_EQ(Fallback::text(u"Zorv"_s, facts, u"INSTALL-1"_s, u"\n  First.\n\n  Second.\t\n"_s,
                             u"Trusted   true\n\n===== a =====\nx\n"_s),
              head + u"First.\n\n  Second.\n\n===== diagnostics =====\nTrusted   true\n\n"
                     u"===== a =====\nx\n"_s);
    EXPECT_EQ(Fallback::text(u"Zorv"_s, facts, u"INSTALL-1"_s, u"One"_s, QString()),
              head + u"One\n\n===== diagnostics =====\n"_s);
}

TEST(ReportReplyTest, readsOnlyStringValuesOfAJsonObject) {
    const std::tuple<QByteArray, std::optional<QString>, std::optional<QString>> cases[] = {
        {R"({"id":"R-1"})", u"R-1"_s, std::nullopt},
        {R"({"id":7,"error":"quota"})", std::nullopt, u"quota"_s},
        {R"({"error":{"text":"x"}})", std::nullopt, std::nullopt},
        {R"(["R-1"])", std::nullopt, std::nullopt},
        {R"("R-1")", std::nullopt, std::nullopt},
        {"<html>Bad gateway</html>", std::nullopt, std::nullopt},
    };
    for (const auto &[reply, id, error] : cases) {
        EXPECT_EQ(Builder::reportID(reply), id) << reply.constData();
        EXPECT_EQ(Builder::errorText(reply), error) << reply.constData();
    }
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(ReportTest, factsComeFromTheSystemWithPlaceholdersForWhatIsMissing) {
    const std::pair<std::optional<QByteArray>, QString> models[] = {
        {QByteArray("Mac14,2\0junk", 12), u"Mac14,2"_s},
        {QByteArray("MacBookPro18,3"), u"MacBookPro18,3"_s},
        {QByteArray("Mac\xff", 4), u"Mac\ufffd"_s},
        {QByteArray(), u"a Mac"_s},
        {std::nullopt, u"a Mac"_s},
    };
    for (const auto &[bytes, machine] : models) {
        desktop.systemFacts().setHardwareModel(bytes);
        EXPECT_EQ(Facts::model(desktop.systemFacts()), machine);
    }
    desktop.systemFacts().setBundleInfoString(u"CFBundleShortVersionString"_s, std::nullopt);
    EXPECT_EQ(
        Facts::current(desktop.systemFacts()),
        (Facts{u"app.zorv.Zorv"_s, u"?"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s, u"a Mac"_s}));
}

TEST(InstallIdTest, aDamagedFileIsReplacedAndASoundOneKept) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"install.json"_s);
    const QRegularExpression uuid(u"^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"_s);
    for (const QByteArray damaged :
         {R"j({"install":""})j", R"j({"install":5})j", R"j({"install":"A","n":1})j",
          R"j(["install","A"])j", R"j({"install":"A")j", ""}) {
        writeFile(path, damaged);
        const QString fresh = InstallID::value(folder.path());
        EXPECT_TRUE(uuid.match(fresh).hasMatch()) << damaged.constData();
        EXPECT_EQ(readFile(path), uR"j({"install":"%1"})j"_s.arg(fresh).toUtf8());
        EXPECT_EQ(InstallID::value(folder.path()), fresh);
    }
    writeFile(path, R"j({ "install" : "KEEP-ME", "note" : "x" })j");
    EXPECT_EQ(InstallID::value(folder.path()), u"KEEP-ME"_s);
    EXPECT_EQ(readFile(path), R"j({ "install" : "KEEP-ME", "note" : "x" })j");
    // A missing folder is made.
    const QString fresh = InstallID::value(folder.filePath(u"a/Zorv"_s));
    EXPECT_EQ(InstallID::value(folder.filePath(u"a/Zorv"_s)), fresh);
}

TEST(ReportDiagnosticsTest, titlesAreScrubbedAtAnyDepthAndUnreadableTextIsNotSent) {
    const std::pair<QString, QString> cases[] = {
        {uR"j({ "title" : {"title":"Secret"}, "items" : [ {"title":"Mail"}, [{"title":null}] ],
              "Title" : "kept", "path" : "/a/b" })j"_s,
         uR"j({"Title":"kept","items":[{"title":"(title not sent)"},[{"title":"(title not sent)"}]],)j"
         uR"j("path":"\/a\/b","title":"(title not sent)"})j"_s},
        {uR"j([1, {"b":2,"a":{"title":[1]}}])j"_s,
         uR"j([1,{"a":{"title":"(title not sent)"},"b":2}])j"_s},
        {uR"j({"title":"Secret", "items":[)j"_s, ReportDiagnostics::unreadable},
        {u"moved Secret to hidden"_s, ReportDiagnostics::unreadable},
        {uR"j("title")j"_s, ReportDiagnostics::unreadable},
    };
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(ReportDiagnostics::withoutTitles(text), expected);
    }
}

TEST(ReportDiagnosticsTest, snapshotHoldsEachFileOrNoneAndTheLogsLastLines) {
    const QTemporaryDir folder;
    EXPECT_EQ(ReportDiagnostics::snapshot(folder.filePath(u"Zorv"_s), false),
              u"Trusted   false\n\n===== diagnostics.json =====\n(none)\n"
              u"\n===== events.jsonl =====\n(none)\n\n===== reconcile-log.jsonl =====\n(none)\n"_s);
    EXPECT_FALSE(QFile::exists(folder.filePath(u"Zorv"_s)));

    writeFile(folder.filePath(u"diagnostics.json"_s),
              "{\n  \"items\" : [ {\"title\" : \"S\"} ]\n}\n");
    // A log too big to read whole is read from its end.
    writeFile(folder.filePath(u"events.jsonl"_s),
              QByteArray(ReportDiagnostics::maxLogBytes, 'x') + "\n{\"n\":1}\n");
    QByteArray log;
    QStringList tail;
    for (int i = 1; i <= 1000; ++i) {
        log += R"j({"n":)j" + QByteArray::number(i) + R"j(,"title":"T"})j" + "\n\n";
        if (i > 701) {
            tail.append(uR"j({"n":%1,"title":"(title not sent)"})j"_s.arg(i));
        }
    }
    writeFile(folder.filePath(u"reconcile-log.jsonl"_s), log + "{\"n\":1001,\"title\":\"cut");
    tail.append(ReportDiagnostics::unreadable);
    EXPECT_EQ(ReportDiagnostics::snapshot(folder.path(), true),
              u"Trusted   true\n\n===== diagnostics.json =====\n"
              u"{\"items\":[{\"title\":\"(title not sent)\"}]}\n"
              u"\n===== events.jsonl =====\n{\"n\":1}\n\n===== reconcile-log.jsonl =====\n"_s +
                  tail.join(u'\n') + u'\n');
}

} // namespace
} // namespace zorv::testing
