#include "core/menu/menutable.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

class CountTest : public test::DbTest {};

// Shapes a derived table may refuse: an ORDER BY with parentheses, unnamed and repeated column
// names, a UNION ordered at its end, a TOP with its order, a grouped query.
TEST_P(CountTest, CountsEveryQueryShape) {
    for (const char* name : {"甲", "乙", "丙"}) {
        db().exec("INSERT INTO SHX (theName, Remark) VALUES (?, ?)", {QString(name), "(x)"});
    }
    const int all = db().scalar("SELECT COUNT(*) FROM SHX").toInt();
    ASSERT_EQ(all, 5);
    const std::pair<QString, int> cases[] = {
        {"SELECT theName FROM SHX ORDER BY COALESCE(Remark, theName), ID DESC", all},
        {"SELECT ID, ID, theName AS 名称, theName AS 名称 FROM SHX ORDER BY ID DESC", all},
        {"SELECT ID + 1, COUNT(*) FROM SHX GROUP BY ID ORDER BY (ID + 1)", all},
        {"SELECT theName FROM SHX WHERE (Remark = '(x)') UNION SELECT theName FROM SSex "
         "ORDER BY theName",
         5},
        {"SELECT TOP 2 ID FROM SHX ORDER BY ID DESC", 2},
        {"SELECT Remark, COUNT(*) FROM SHX GROUP BY Remark", 2},
        {"SELECT theName FROM SHX WHERE (theName IN (SELECT theName FROM SHX ORDER BY ID)) "
         "AND (Remark = ?)",
         3},
    };
    for (const auto& [sql, n] : cases) {
        const QVariantList params = sql.contains('?') ? QVariantList{"(x)"} : QVariantList{};
        EXPECT_EQ(db().count(sql, params), n) << sql.toStdString();
    }
}

// UpMenu empties SMenu with a statement that needs no more than the right to delete rows.
TEST_P(CountTest, UpMenuNeedsOnlyDataRights) {
    if (backend() == Backend::Postgres) {
        db().exec("DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = "
                  "'florist_data_only') THEN CREATE ROLE florist_data_only; END IF; END $$");
        db().exec("GRANT SELECT, INSERT, UPDATE, DELETE ON SMenu TO florist_data_only");
        db().exec("SET ROLE florist_data_only");
    }
    db().exec("INSERT INTO SMenu (MNum, MName) VALUES ('9999', 'x')");
    UpMenu(db());
    EXPECT_EQ(db().count("SELECT MNum FROM SMenu"), 91);
    EXPECT_EQ(db().count("SELECT MNum FROM SMenu WHERE (MNum = '9999')"), 0);
    if (backend() == Backend::Postgres) {
        db().exec("RESET ROLE");
    }
}

FLORIST_ON_EVERY_BACKEND(CountTest);

} // namespace
} // namespace florist
