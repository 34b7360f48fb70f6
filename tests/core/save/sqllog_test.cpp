#include "support/dbfixture.h"

#include <QLoggingCategory>

namespace florist {
namespace {

QStringList captured;
QtMessageHandler previous = nullptr;

void capture(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (QByteArray(context.category) == "florist.sql") {
        captured << QString::number(type) + " " + text;
        return;
    }
    previous(type, context, text);
}

class SqlLogTest : public test::DbTest {
protected:
    void SetUp() override {
        test::DbTest::SetUp();
        captured.clear();
        previous = qInstallMessageHandler(capture);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
        test::DbTest::TearDown();
    }
};

TEST_P(SqlLogTest, AFailingStatementIsLoggedWithItsValuesOnlyWhenAsked) {
    const QString bad = "INSERT INTO UStore (theNum, NoSuchColumn) VALUES (?, ?)";
    EXPECT_THROW(db().exec(bad, {"CZ250301-0001", "王小姐"}), DbError);
    EXPECT_TRUE(captured.isEmpty()) << "off by default";

    QLoggingCategory::setFilterRules("florist.sql.warning=true");
    try {
        db().exec(bad, {"CZ250301-0001", "王小姐"});
        ADD_FAILURE() << "the statement must fail";
    } catch (const DbError& e) {
        // The person sees the server's message, not the statement or the values.
        EXPECT_FALSE(e.text().contains("王小姐"));
        EXPECT_FALSE(e.text().isEmpty());
    }
    ASSERT_EQ(captured.size(), 1);
    EXPECT_TRUE(captured[0].contains(bad)) << captured[0].toStdString();
    EXPECT_TRUE(captured[0].contains("王小姐")) << captured[0].toStdString();

    // The debug level follows every statement, successful ones included.
    captured.clear();
    QLoggingCategory::setFilterRules("florist.sql.debug=true");
    db().exec("UPDATE SDept SET Remark = ?", {"备注"});
    ASSERT_EQ(captured.size(), 1);
    EXPECT_TRUE(captured[0].contains("UPDATE SDept")) << captured[0].toStdString();
}

FLORIST_ON_EVERY_BACKEND(SqlLogTest);

} // namespace
} // namespace florist
