#include "core/db/embeddedbackup.h"

#include "core/db/database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist {
namespace {

ConnectionSettings embeddedFile(const QString& path) {
    ConnectionSettings s;
    s.backend = Backend::Sqlite;
    s.path = path;
    return s;
}

class EmbeddedBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("florist.db");
        db_ = std::make_unique<Database>(embeddedFile(path_));
        db_->open();
        db_->createSchema(true);
    }
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Database> db_;
};

// The first start of a day copies the running database, rows written in WAL included; later
// starts that day leave the copy alone.
TEST_F(EmbeddedBackupTest, FirstStartOfADayCopiesTheWholeDatabaseOnce) {
    db_->exec("INSERT INTO UStore (theNum, M1) VALUES (?, ?)", {"CZ250301-0001", 100.5});
    const QString copy = EmbeddedBackup::run(*db_, "2025-03-01");
    EXPECT_EQ(copy, EmbeddedBackup::copyPath(path_, "2025-03-01"));
    db_->exec("INSERT INTO UStore (theNum, M1) VALUES (?, ?)", {"CZ250301-0002", 7});
    EXPECT_EQ(EmbeddedBackup::run(*db_, "2025-03-01"), QString());
    {
        Database restored(embeddedFile(copy));
        restored.open();
        EXPECT_EQ(restored.scalar("PRAGMA integrity_check").toString(), "ok");
        EXPECT_EQ(restored.scalar("SELECT SUM(M1) FROM UStore").toDouble(), 100.5);
        EXPECT_EQ(restored.count("SELECT ID FROM SUser"), db_->count("SELECT ID FROM SUser"));
    }
    EXPECT_FALSE(QFile::exists(copy + ".part"));
}

TEST_F(EmbeddedBackupTest, KeepsTheNewestThirtyCopies) {
    for (int day = 1; day <= 31; ++day) {
        EmbeddedBackup::run(*db_, QString("2025-01-%1").arg(day, 2, 10, QChar('0')));
    }
    EmbeddedBackup::run(*db_, "2025-02-01");
    const QStringList copies = EmbeddedBackup::copies(path_);
    ASSERT_EQ(copies.size(), EmbeddedBackup::kKept);
    EXPECT_EQ(copies.first(), "florist-2025-01-03.db");
    EXPECT_EQ(copies.last(), "florist-2025-02-01.db");
}

TEST_F(EmbeddedBackupTest, AFailedCopySaysSoAndLeavesTheDatabaseWorking) {
    // A file where the folder should be: the folder cannot be made.
    QFile blocker(EmbeddedBackup::folder(path_));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        EmbeddedBackup::run(*db_, "2025-03-01");
        FAIL() << "the copy was reported made";
    } catch (const Failure& f) {
        EXPECT_TRUE(f.text().startsWith("数据库备份失败")) << f.text().toStdString();
    }
    EXPECT_EQ(db_->exec("UPDATE SUser SET theName = theName"), db_->count("SELECT ID FROM SUser"));
}

TEST(EmbeddedBackup, ServerAndMemoryDatabasesAreNotCopied) {
    ConnectionSettings memory = embeddedFile(":memory:");
    Database db(memory);
    db.open();
    EXPECT_EQ(EmbeddedBackup::run(db, "2025-03-01"), QString());
}

} // namespace
} // namespace florist
