#include "support/dbfixture.h"

namespace florist {
namespace {

class DatabaseTest : public test::DbTest {};

TEST_P(DatabaseTest, HostileTextRoundTripsVerbatim) {
    const QString hostile = "O'Brien \"玫瑰\" -- ; DROP TABLE SSex; % _ \\ '' 100%";
    db().exec("INSERT INTO SSex (theName, Remark) VALUES (?, ?)", {hostile, hostile});
    ResultSet rs = db().select("SELECT theName, Remark FROM SSex WHERE (theName = ?)", {hostile});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theName"), hostile);
    EXPECT_EQ(rs.text(0, "Remark"), hostile);
    EXPECT_GT(db().count("SELECT ID FROM SSex"), 1);
}

FLORIST_ON_EVERY_BACKEND(DatabaseTest);

} // namespace
} // namespace florist
