// Imports generated and mutated export files (see ExportGenerator) one after another through the
// app model of one simulated Mac. Every file that SettingsBundle::decode() refuses must be refused
// leaving the four store files byte for byte as they were and the model's setup unchanged; every
// other one must be taken, leaving files that read back as the model's new setup (and, every few
// hundred imports and at the end, a fresh model over the same folder starts with that setup).
//
//   fuzz_import [--count N] [--seed S] [--seeds DIR]
//
// Prints what it did and exits 1 after the first case that breaks a rule, naming its seed and
// index and saving the file as import-failure.json in the working folder.
#include "appmodelharness.h"
#include "decodeerror.h"
#include "exportgenerator.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "modeltransfer.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace zorv::fuzz {
namespace {

const QStringList kStoreFiles{u"settings.json"_s, u"profiles.json"_s, u"triggers.json"_s,
                              u"layout.json"_s};

// The bytes of each store file, or nullopt where there is none.
using FileBytes = std::map<QString, std::optional<QByteArray>>;

FileBytes storeFiles(const QString &folder) {
    FileBytes files;
    for (const QString &name : kStoreFiles) {
        const QString path = QDir(folder).filePath(name);
        files[name] = QFile::exists(path) ? readWholeFile(path) : std::nullopt;
    }
    return files;
}

struct Setup {
    Settings settings;
    ProfileSet profiles;
    TriggerSet triggers;
    SectionLayout layout;
    friend bool operator==(const Setup &, const Setup &) = default;
};

// A value as its store file holds it (a profile's layout, for one, leaves out system items).
template <StoreValue Value> Value stored(const Value &value) {
    return fromStoreJson<Value>(toStoreJson(value));
}

Setup modelSetup(const AppModel &model) {
    return {stored(model.settings()), stored(model.profiles()), stored(model.triggers()),
            stored(model.layoutOrder())};
}

// The setup the four files load to, or nullopt when one of them does not load.
std::optional<Setup> filesSetup(const QString &folder) {
    try {
        const auto load = [&folder]<typename Value>(const QString &name) {
            return fromStoreJson<Value>(parseJson(*readWholeFile(QDir(folder).filePath(name))));
        };
        return Setup{load.operator()<Settings>(u"settings.json"_s),
                     load.operator()<ProfileSet>(u"profiles.json"_s),
                     load.operator()<TriggerSet>(u"triggers.json"_s),
                     load.operator()<SectionLayout>(u"layout.json"_s)};
    } catch (const DecodeError &) {
        return std::nullopt;
    } catch (const std::bad_optional_access &) {
        return std::nullopt;
    }
}

QList<QJsonObject> readSeeds(const QString &folder) {
    QList<QJsonObject> seeds;
    for (const QString &name : QDir(folder).entryList({u"*.json"_s}, QDir::Files, QDir::Name)) {
        seeds.append(parseJson(*readWholeFile(QDir(folder).filePath(name))).toObject());
    }
    return seeds;
}

class ImportRun {
public:
    ImportRun(quint64 seed, QList<QJsonObject> seeds)
        : m_seed(seed), m_smallSetup(seeds.first()), m_generator(std::move(seeds), seed),
          m_mac(m_clock, m_cloud) {
        m_mac.started();
        m_file = QDir(m_exports.path()).filePath(u"export.json"_s);
    }

    // Runs one case; false when it broke a rule (already reported).
    bool step(int index) {
        QElapsedTimer timer;
        timer.start();
        const ExportGenerator::File file = m_generator.next();
        const qint64 generated = timer.elapsed();
        m_recipe = file.recipe;
        m_index = index;
        if (writeFileAtomically(m_file, file.bytes, FileDurability::Unsynced)) {
            return fail(u"could not write the export file"_s, file.bytes);
        }
        bool decodes = false;
        try {
            (void)SettingsBundle::decode(file.bytes);
            decodes = true;
        } catch (const DecodeError &) {
        } catch (const SettingsImportError &) {
        }

        m_clock.settle();
        const QString folder = m_mac.dataFolder();
        const FileBytes before = storeFiles(folder);
        const Setup setupBefore = modelSetup(m_mac.model());
        bool taken = false;
        QString refusal;
        try {
            (void)runTask(m_mac.model().transfer().importSettings(m_file),
                          std::chrono::milliseconds(60'000));
            taken = true;
        } catch (const TaskTimeout &) {
            return fail(u"the import did not finish within a minute"_s, file.bytes);
        } catch (const std::exception &error) {
            refusal = QString::fromUtf8(error.what());
        }
        m_clock.settle();
        if (timer.elapsed() > 3000) {
            std::printf("import %d took %.1f s (%.1f s to make the file of %lld bytes):%s\n", index,
                        double(timer.elapsed()) / 1000, double(generated) / 1000,
                        static_cast<long long>(file.bytes.size()), qPrintable(file.recipe));
            std::fflush(stdout);
        }
        // The backups each import leaves are not what this run looks at.
        QDir(m_mac.model().backupsFolder()).removeRecursively();

        if (taken != decodes) {
            return fail(taken ? u"an import was taken that decoding refuses"_s
                              : u"an import that decodes was refused: "_s + refusal,
                        file.bytes);
        }
        if (!taken) {
            ++m_refused[refusal.left(60)];
            if (storeFiles(folder) != before) {
                return fail(u"a refused import changed the store files"_s, file.bytes);
            }
            if (modelSetup(m_mac.model()) != setupBefore) {
                return fail(u"a refused import changed the model's setup"_s, file.bytes);
            }
            return true;
        }
        ++m_taken;
        const auto onDisk = filesSetup(folder);
        if (!onDisk) {
            return fail(u"a taken import left a store file that does not load"_s, file.bytes);
        }
        if (*onDisk != modelSetup(m_mac.model())) {
            return fail(u"a taken import left files that load to another setup"_s, file.bytes);
        }
        if (m_taken % 250 == 0 && !restartMatches(file.bytes)) {
            return false;
        }
        if (file.bytes.size() > 256 * 1024) {
            // Every import backs up the setup it replaces: a small one keeps the next cases quick.
            const QByteArray small = *writeJson(m_smallSetup, JsonFormat::compact());
            if (writeFileAtomically(m_file, small, FileDurability::Unsynced)) {
                return fail(u"could not write the export file"_s, small);
            }
            (void)runTask(m_mac.model().transfer().importSettings(m_file));
            m_clock.settle();
            QDir(m_mac.model().backupsFolder()).removeRecursively();
        }
        return true;
    }

    // A fresh model over the same data folder starts with the setup the last one had.
    bool restartMatches(const QByteArray &lastFile) {
        const Setup setup = modelSetup(m_mac.model());
        m_mac.quit();
        m_mac.started();
        ++m_restarts;
        if (modelSetup(m_mac.model()) != setup) {
            return fail(u"a restarted model did not load the imported setup"_s, lastFile);
        }
        if (!QDir(m_mac.dataFolder()).entryList({u"*.unreadable-*"_s}).isEmpty()) {
            return fail(u"a restarted model set a store file aside"_s, lastFile);
        }
        return true;
    }

    void report(int count, qint64 milliseconds) const {
        std::printf("%d imports in %.1f s (seed %llu): %d taken, %d refused, %d restarts\n", count,
                    double(milliseconds) / 1000, static_cast<unsigned long long>(m_seed), m_taken,
                    count - m_taken, m_restarts);
        for (const auto &[reason, times] : m_refused) {
            std::printf("  refused %6d x %s\n", times, qPrintable(reason));
        }
    }

private:
    bool fail(const QString &what, const QByteArray &bytes) {
        std::fprintf(stderr, "FAILED at import %d (seed %llu): %s\n  file: %s\n", m_index,
                     static_cast<unsigned long long>(m_seed), qPrintable(what),
                     qPrintable(m_recipe.trimmed()));
        QFile saved(u"import-failure.json"_s);
        if (saved.open(QIODevice::WriteOnly)) {
            saved.write(bytes);
            std::fprintf(stderr, "  saved as %s\n",
                         qPrintable(QFileInfo(saved).absoluteFilePath()));
        }
        return false;
    }

    quint64 m_seed;
    QJsonObject m_smallSetup;
    ExportGenerator m_generator;
    ManualClock m_clock;
    SimCloud m_cloud;
    AppModelHarness m_mac;
    QTemporaryDir m_exports;
    QString m_file;
    QString m_recipe;
    int m_index = 0;
    int m_taken = 0;
    int m_restarts = 0;
    std::map<QString, int> m_refused;
};

} // namespace
} // namespace zorv::fuzz

int main(int argc, char **argv) {
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({u"count"_s, u"How many files to import."_s, u"N"_s, u"10000"_s});
    parser.addOption({u"seed"_s, u"The generator's seed."_s, u"S"_s, u"1"_s});
    parser.addOption({u"seeds"_s, u"The folder of export files to start from."_s, u"DIR"_s,
                      QStringLiteral(ZORV_EXPORT_SEEDS)});
    parser.addHelpOption();
    parser.process(app);
    const int count = parser.value(u"count"_s).toInt();
    const quint64 seed = parser.value(u"seed"_s).toULongLong();

    const QList<QJsonObject> seeds = zorv::fuzz::readSeeds(parser.value(u"seeds"_s));
    if (seeds.isEmpty()) {
        std::fprintf(stderr, "no export files in %s\n", qPrintable(parser.value(u"seeds"_s)));
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    zorv::fuzz::ImportRun run(seed, seeds);
    int index = 0;
    for (; index < count; ++index) {
        if (!run.step(index)) {
            run.report(index + 1, timer.elapsed());
            return 1;
        }
        if ((index + 1) % 1000 == 0) {
            std::printf("%d imports...\n", index + 1);
            std::fflush(stdout);
        }
    }
    if (!run.restartMatches({})) {
        return 1;
    }
    run.report(count, timer.elapsed());
    return 0;
}
