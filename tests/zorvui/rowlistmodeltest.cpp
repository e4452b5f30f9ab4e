#include "models/rowlistmodel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct Chip {
    QString name;
    int width = 0;

    friend bool operator==(const Chip &, const Chip &) = default;
};

// What views hear of one update: rows changed in place, inserted and removed.
struct Heard {
    QList<int> changed;
    int inserted = 0;
    int removed = 0;

    friend bool operator==(const Heard &, const Heard &) = default;
};

TEST(RowListModelTest, TellsViewsExactlyWhatChanged) {
    const QList<Chip> abc{{u"a"_s, 1}, {u"b"_s, 2}, {u"c"_s, 3}};
    const struct {
        const char *name;
        QList<Chip> before;
        QList<Chip> after;
        Heard heard;
    } cases[] = {
        {"nothing changed", abc, abc, {}},
        {"one field of one row", abc, {{u"a"_s, 1}, {u"b"_s, 5}, {u"c"_s, 3}}, {{1}, 0, 0}},
        {"rows added at the end", {{u"a"_s, 1}}, abc, {{}, 2, 0}},
        {"rows taken from the end", abc, {{u"a"_s, 1}}, {{}, 0, 2}},
        {"shorter and changed", abc, {{u"c"_s, 3}}, {{0}, 0, 2}},
        {"from nothing", {}, abc, {{}, 3, 0}},
        {"to nothing", abc, {}, {{}, 0, 3}},
    };
    for (const auto &c : cases) {
        RowListModel<Chip> model(
            {{"name", [](const Chip &chip) { return QVariant(chip.name); }},
             {"width", [](const Chip &chip) { return QVariant(chip.width); }}});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setRows(c.before);
        Heard heard;
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [&](const QModelIndex &from, const QModelIndex &to) {
                             for (int row = from.row(); row <= to.row(); ++row) {
                                 heard.changed.append(row);
                             }
                         });
        QObject::connect(
            &model, &QAbstractItemModel::rowsInserted,
            [&](const QModelIndex &, int first, int last) { heard.inserted += last - first + 1; });
        QObject::connect(
            &model, &QAbstractItemModel::rowsRemoved,
            [&](const QModelIndex &, int first, int last) { heard.removed += last - first + 1; });
        QSignalSpy count(&model, &RowListModelBase::countChanged);
        model.setRows(c.after);
        EXPECT_EQ(model.rows(), c.after) << c.name;
        EXPECT_EQ(heard, c.heard) << c.name;
        EXPECT_EQ(count.size(), c.before.size() == c.after.size() ? 0 : 1) << c.name;
        const auto names = model.roleNames();
        for (int row = 0; row < c.after.size(); ++row) {
            const QModelIndex index = model.index(row);
            EXPECT_EQ(model.data(index, names.key("name")), QVariant(c.after[row].name));
            EXPECT_EQ(model.data(index, names.key("width")), QVariant(c.after[row].width));
            EXPECT_FALSE(model.data(index, Qt::DisplayRole).isValid()) << "only the named roles";
        }
    }
}


// Keyed rows: a view's handle on a row (a persistent index, as a delegate holds) stays on the row
// of the same key whatever comes, goes or moves around it, and only rows whose content changed
// are reported changed.
TEST(RowListModelTest, KeyedRowsFollowTheirKeys) {
    const QList<Chip> abc{{u"a"_s, 1}, {u"b"_s, 2}, {u"c"_s, 3}};
    const struct {
        const char *name;
        QList<Chip> after;
        // How many rows were reported changed (row "b" is held across the update).
        int changed;
    } cases[] = {
        {"a row inserted before", {{u"x"_s, 9}, {u"a"_s, 1}, {u"b"_s, 2}, {u"c"_s, 3}}, 0},
        {"a row removed before", {{u"b"_s, 2}, {u"c"_s, 3}}, 0},
        {"reversed", {{u"c"_s, 3}, {u"b"_s, 2}, {u"a"_s, 1}}, 0},
        {"held row changed and moved", {{u"c"_s, 3}, {u"a"_s, 1}, {u"b"_s, 7}}, 1},
        {"one gone, one new, rest rotated", {{u"c"_s, 4}, {u"y"_s, 0}, {u"b"_s, 2}}, 1},
        {"a key twice", {{u"b"_s, 2}, {u"b"_s, 8}, {u"a"_s, 1}}, 0},
    };
    for (const auto &c : cases) {
        RowListModel<Chip> model({{"name", [](const Chip &chip) { return QVariant(chip.name); }},
                                  {"width", [](const Chip &chip) { return QVariant(chip.width); }}},
                                 [](const Chip &chip) { return chip.name; });
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setRows(abc);
        const QPersistentModelIndex heldB(model.index(1));
        int changed = 0;
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [&](const QModelIndex &from, const QModelIndex &to) {
                             changed += to.row() - from.row() + 1;
                         });
        QSignalSpy count(&model, &RowListModelBase::countChanged);
        model.setRows(c.after);
        EXPECT_EQ(model.rows(), c.after) << c.name;
        EXPECT_EQ(changed, c.changed) << c.name;
        EXPECT_EQ(count.size(), c.after.size() == abc.size() ? 0 : 1) << c.name;
        ASSERT_TRUE(heldB.isValid()) << c.name;
        EXPECT_EQ(model.rows().at(heldB.row()).name, u"b"_s) << c.name;
    }

    RowListModel<Chip> model({{"name", [](const Chip &chip) { return QVariant(chip.name); }}},
                             [](const Chip &chip) { return chip.name; });
    model.setRows(abc);
    const QPersistentModelIndex heldB(model.index(1));
    model.setRows({{u"a"_s, 1}, {u"c"_s, 3}});
    EXPECT_FALSE(heldB.isValid()) << "a row whose key is gone is removed, not reused";
}

// What a view hears of a keyed update, replayed on the keys it last saw.
struct Replayed {
    QStringList keys;
    int moves = 0;
    int inserted = 0;
    int removed = 0;
    int changed = 0;
    int resets = 0;
};

void replayInto(RowListModel<Chip> &model, Replayed &replayed) {
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved,
                     [&](const QModelIndex &, int first, int last) {
                         replayed.keys.remove(first, last - first + 1);
                         replayed.removed += last - first + 1;
                     });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                     [&model, &replayed](const QModelIndex &, int first, int last) {
                         for (int row = first; row <= last; ++row) {
                             replayed.keys.insert(row, model.rows().at(row).name);
                         }
                         replayed.inserted += last - first + 1;
                     });
    QObject::connect(&model, &QAbstractItemModel::rowsMoved,
                     [&](const QModelIndex &, int from, int last, const QModelIndex &, int to) {
                         EXPECT_EQ(from, last) << "one row at a time";
                         replayed.keys.move(from, to > from ? to - 1 : to);
                         ++replayed.moves;
                     });
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) {
                         replayed.changed += to.row() - from.row() + 1;
                     });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++replayed.resets; });
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [&] { ++replayed.resets; });
}

QList<Chip> chips(const QStringList &names) {
    QList<Chip> rows;
    for (const QString &name : names) {
        rows.append({name, int(name.size())});
    }
    return rows;
}

QStringList keysOf(const QList<Chip> &rows) {
    QStringList keys;
    for (const Chip &row : rows) {
        keys.append(row.name);
    }
    return keys;
}

// A long list reordered: a view hears rows moved, one at a time and no more than the rows (never
// a reset, nor a row dropped and made again), every handle on a row stays with its key, and
// replaying what it heard on what it showed gives the new list.
TEST(RowListModelTest, KeyedRowsReorderedAreMovedNotRebuilt) {
    QStringList forty;
    for (int i = 0; i < 40; ++i) {
        forty.append(u"item%1"_s.arg(i));
    }
    QStringList reversed = forty;
    std::reverse(reversed.begin(), reversed.end());
    QStringList lastToFront = forty;
    lastToFront.prepend(lastToFront.takeLast());
    const struct {
        const char *name;
        QStringList after;
        int moves;
    } cases[] = {
        {"unchanged", forty, 0},
        {"reversed", reversed, 39},
        {"last to the front", lastToFront, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RowListModel<Chip> model({{"name", [](const Chip &chip) { return QVariant(chip.name); }}},
                                 [](const Chip &chip) { return chip.name; });
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setRows(chips(forty));
        QList<QPersistentModelIndex> held;
        for (int row = 0; row < model.rowCount(); ++row) {
            held.append(QPersistentModelIndex(model.index(row)));
        }
        Replayed replayed{forty};
        replayInto(model, replayed);
        model.setRows(chips(c.after));
        EXPECT_EQ(keysOf(model.rows()), c.after);
        EXPECT_EQ(replayed.keys, c.after);
        EXPECT_EQ(replayed.moves, c.moves);
        EXPECT_EQ(replayed.inserted + replayed.removed + replayed.changed + replayed.resets, 0);
        for (int row = 0; row < held.size(); ++row) {
            ASSERT_TRUE(held[row].isValid());
            EXPECT_EQ(model.rows().at(held[row].row()).name, forty[row]);
        }
    }
}

// Random updates with keys coming, going, repeating and reordering at once: replaying what a view
// heard always gives the new list, and a handle on a row whose key is still listed as many times
// stays on a row of its key.
TEST(RowListModelTest, KeyedRowsFollowAnyUpdate) {
    std::mt19937 random(7);
    const auto randomNames = [&random] {
        QStringList names;
        const int count = int(random() % 30);
        for (int i = 0; i < count; ++i) {
            names.append(QString(QChar(u'a' + int(random() % 20))));
        }
        return names;
    };
    RowListModel<Chip> model({{"name", [](const Chip &chip) { return QVariant(chip.name); }}},
                             [](const Chip &chip) { return chip.name; });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Replayed replayed;
    replayInto(model, replayed);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const QStringList before = replayed.keys;
        QList<QPersistentModelIndex> held;
        for (int row = 0; row < model.rowCount(); ++row) {
            held.append(QPersistentModelIndex(model.index(row)));
        }
        const QStringList after = randomNames();
        model.setRows(chips(after));
        ASSERT_EQ(keysOf(model.rows()), after);
        ASSERT_EQ(replayed.keys, after);
        EXPECT_EQ(replayed.resets, 0);
        for (int row = 0; row < held.size(); ++row) {
            const QString &key = before[row];
            if (held[row].isValid()) {
                EXPECT_EQ(model.rows().at(held[row].row()).name, key);
            } else {
                EXPECT_LT(after.count(key), before.count(key)) << key.toStdString();
            }
        }
    }
}

} // namespace
} // namespace zorv
