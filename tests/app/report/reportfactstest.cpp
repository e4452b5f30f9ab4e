#include "reportfixture.h"

#include "installid.h"
#include "reportdiagnostics.h"
#include "reportfacts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

using namespace ReportProblem;

TEST_F(ReportTest, factsComeFromTheSystemWithPlaceholdersForWhatIsMissing) {
    struct Case {
        const char *name;
        std::optional<QByteArray> hardwareModel;
        QString machine;
    };
    const Case cases[] = {
        {"zero-terminated", QByteArray("Mac14,2\0junk", 12), u"Mac14,2"_s},
        {"without zero", QByteArray("MacBookPro18,3"), u"MacBookPro18,3"_s},
        {"invalid UTF-8 repaired", QByteArray("Mac\xff", 4), u"Mac\ufffd"_s},
        {"empty", QByteArray(), u"a Mac"_s},
        {"query failed", std::nullopt, u"a Mac"_s},
    };
    for (const Case &c : cases) {
        desktop.systemFacts().setHardwareModel(c.hardwareModel);
        EXPECT_EQ(Facts::model(desktop.systemFacts()), c.machine) << c.name;
    }
    desktop.systemFacts().setBundleInfoString(u"CFBundleShortVersionString"_s, std::nullopt);
    EXPECT_EQ(
        Facts::current(desktop.systemFacts()),
        (Facts{u"app.zorv.Zorv"_s, u"?"_s, u"142"_s, u"Version 14.5 (Build 23F79)"_s, u"a Mac"_s}));
}

class InstallIdTest : public ::testing::Test {
protected:
    QString path() const { return QDir(folder.path()).filePath(u"install.json"_s); }
    void store(const QByteArray &bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray stored() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_F(InstallIdTest, aDamagedFileIsReplacedAndTheNewIdentifierReused) {
    const QByteArray damaged[] = {
        R"j({"install":""})j",  R"j({"install":5})j", R"j({"install":"A","other":1})j",
        R"j(["install","A"])j", "{\"install\":\"A\"", "",
    };
    const QRegularExpression uuid(u"^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"_s);
    for (const QByteArray &bytes : damaged) {
        store(bytes);
        const QString fresh = InstallID::value(folder.path());
        EXPECT_TRUE(uuid.match(fresh).hasMatch()) << fresh.toStdString();
        EXPECT_EQ(stored(), (uR"j({"install":")j"_s + fresh + uR"j("})j"_s).toUtf8());
        EXPECT_EQ(InstallID::value(folder.path()), fresh);
    }
}

TEST_F(InstallIdTest, aSoundFileIsReadAndLeftAlone) {
    store(R"j({ "install" : "KEEP-ME", "note" : "x" })j");
    EXPECT_EQ(InstallID::value(folder.path()), u"KEEP-ME"_s);
    EXPECT_EQ(stored(), R"j({ "install" : "KEEP-ME", "note" : "x" })j");

    const QString nested = folder.filePath(u"a/Zorv"_s);
    const QString fresh = InstallID::value(nested);
    EXPECT_EQ(InstallID::value(nested), fresh);
}

TEST(ReportDiagnosticsTest, titlesAreScrubbedAtAnyDepthAndUnreadableTextIsNotSent) {
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {uR"j({ "title" : {"title":"Secret"}, "items" : [ {"title":"Mail 3"}, [{"title":null}] ],
              "Title" : "kept", "path" : "/a/b" })j"_s,
         uR"j({"Title":"kept","items":[{"title":"(title not sent)"},[{"title":"(title not sent)"}]],)j"
         uR"j("path":"\/a\/b","title":"(title not sent)"})j"_s},
        {uR"j([1, {"b":2,"a":{"title":[1]}}])j"_s,
         uR"j([1,{"a":{"title":"(title not sent)"},"b":2}])j"_s},
        {uR"j({"title":"Secret", "items":[)j"_s, ReportDiagnostics::unreadable},
        {u"moved Secret to hidden"_s, ReportDiagnostics::unreadable},
        {uR"j("title")j"_s, ReportDiagnostics::unreadable},
        {QString(), ReportDiagnostics::unreadable},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ReportDiagnostics::withoutTitles(c.text), c.expected) << c.text.toStdString();
    }
}

TEST(ReportDiagnosticsTest, withoutAnyFileEachSectionSaysNone) {
    QTemporaryDir home;
    EXPECT_EQ(ReportDiagnostics::snapshot(home.filePath(u"Zorv"_s), false),
              u"Trusted   false\n"
              u"\n===== diagnostics.json =====\n(none)\n"
              u"\n===== events.jsonl =====\n(none)\n"
              u"\n===== reconcile-log.jsonl =====\n(none)\n"_s);
    EXPECT_FALSE(QDir(home.filePath(u"Zorv"_s)).exists());
}

TEST(ReportDiagnosticsTest, logsContributeTheirLastLinesEachScrubbed) {
    QTemporaryDir folder;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(u"diagnostics.json"_s, "{\n  \"items\" : [\n    {\"title\" : \"Secret\"}\n  ]\n}\n");
    write(u"events.jsonl"_s, "");
    QByteArray log;
    for (int i = 1; i <= 1000; ++i) {
        log += R"j({"n":)j" + QByteArray::number(i) + R"j(,"title":"T"})j" + "\n\n";
    }
    log += "{\"n\":1001,\"title\":\"cut off";
    write(u"reconcile-log.jsonl"_s, log);

    QStringList tail;
    for (int i = 702; i <= 1000; ++i) {
        tail.append(uR"j({"n":%1,"title":"(title not sent)"})j"_s.arg(i));
    }
    tail.append(ReportDiagnostics::unreadable);
    EXPECT_EQ(ReportDiagnostics::snapshot(folder.path(), true),
              u"Trusted   true\n"
              u"\n===== diagnostics.json =====\n{\"items\":[{\"title\":\"(title not sent)\"}]}\n"
              u"\n===== events.jsonl =====\n\n"
              u"\n===== reconcile-log.jsonl =====\n"_s +
                  tail.join(u'\n') + u'\n');
}

} // namespace
} // namespace zorv::testing
