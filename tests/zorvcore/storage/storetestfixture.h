#pragma once

#include "manualclock.h"
#include "recordingsystemlog.h"
#include "storage/jsonstore.h"
#include "testrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zorv::storetest {

// A fresh folder, a manual clock and a recording system log for each store test.
class StoreTest : public ::testing::Test {
protected:
    static constexpr auto kDebounce = std::chrono::milliseconds(400);

    [[nodiscard]] QString pathOf(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    [[nodiscard]] QByteArray readFile(const QString &name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    [[nodiscard]] bool exists(const QString &name) const { return QFileInfo::exists(pathOf(name)); }

    [[nodiscard]] QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    [[nodiscard]] std::unique_ptr<JSONStore<Record>>
    makeStore(const QString &name = QStringLiteral("settings.json")) {
        return std::make_unique<JSONStore<Record>>(name, Record{}, kDebounce, m_dir.path(), m_clock,
                                                   m_log);
    }

    // "<name>.unreadable-<the clock's Unix seconds>"
    [[nodiscard]] QString quarantineName(const QString &name) const {
        return name + QStringLiteral(".unreadable-") +
               QString::number(m_clock.wallNow().toSecsSinceEpoch());
    }

    QTemporaryDir m_dir;
    ManualClock m_clock;
    RecordingSystemLog m_log;
};

} // namespace zorv::storetest
