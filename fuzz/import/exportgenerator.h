#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <random>

namespace zorv::fuzz {

// Makes export files for the import run from the export seeds, one after another from a seed:
// valid setups scaled to thousands of profiles and rules, then taken apart by mutations of the
// document (wrong types, dropped and unknown keys, huge strings, deep nesting, extreme numbers,
// duplicate keys, unknown format versions) and of its bytes, and documents around and over the
// size limit. The same seed gives the same files.
class ExportGenerator {
public:
    ExportGenerator(QList<QJsonObject> seeds, quint64 seed);

    struct File {
        QByteArray bytes;
        // What was done to it, for the report of a failing case.
        QString recipe;
    };
    [[nodiscard]] File next();

private:
    QJsonObject scaled(QJsonObject document, QString &recipe);
    QJsonValue mutateTree(const QJsonValue &document, QString &recipe);
    QByteArray mutateBytes(QByteArray bytes, QString &recipe);
    QByteArray aroundTheLimit(QString &recipe);
    QByteArray largeSetup(QString &recipe);
    [[nodiscard]] QJsonValue wrongValue(const QJsonValue &original);
    // A placeholder string for `object` written with one of its keys twice.
    [[nodiscard]] QString duplicatedKey(const QJsonObject &object);
    [[nodiscard]] QString randomText(qsizetype length);
    [[nodiscard]] int below(int bound) { return int(m_random() % quint64(bound)); }
    [[nodiscard]] bool chance(double probability) {
        return std::uniform_real_distribution<double>(0, 1)(m_random) < probability;
    }

    QList<QJsonObject> m_seeds;
    std::mt19937_64 m_random;
    // The large setup is costly to build, so it is built once and then mutated.
    QByteArray m_largeSetup;
    // The texts of the objects with a duplicated key in the document being made.
    QList<QByteArray> m_splices;
};

} // namespace zorv::fuzz
