#include "core/db/dialect.h"
#include "core/lists/listrules.h"
#include "core/settings/storelists.h"
#include "core/settings/users.h"
#include "lists/referencelists.h"
#include "members/memberentry.h"
#include "members/membertypes.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

// Every backend's statement carries its own comparison and binds the key once.
TEST(SameKey, EveryBackendWritesItsComparisonWithOneKey) {
    for (Backend b : {Backend::Sqlite, Backend::Postgres, Backend::SqlServer}) {
        const QString sql = Dialect::create(b)->translate(
            "SELECT ID FROM UMember WHERE (theDel = '否') AND (" + sameKey("theNum") + ") ");
        SCOPED_TRACE(sql.toStdString());
        EXPECT_FALSE(sql.contains("SAME_KEY"));
        EXPECT_EQ(sql.count('?'), 1);
        EXPECT_EQ(sql.count("RTRIM(theNum)"), 1);
        EXPECT_TRUE(sql.endsWith(") "));
    }
    // SQL Server compares code points after changing a to z itself: neither a case-insensitive
    // collation nor UPPER's folding of other letters decides there.
    const QString server = Dialect::create(Backend::SqlServer)->translate(sameKey("theName"));
    EXPECT_EQ(server.count("COLLATE Latin1_General_BIN2"), 2);
    EXPECT_EQ(server.count("REPLACE("), 52);
    EXPECT_FALSE(server.contains("UPPER"));
}

class SameKeyTest : public test::DbTest {
protected:
    void addMember(const QString& card, const QString& del = "否") {
        db().exec("INSERT INTO UMember (theDel, theNum, theName) VALUES (?, ?, ?)",
                  {del, card, "会员"});
    }
};

TEST_P(SameKeyTest, CardNumbersIgnoreLetterCaseAndTrailingSpacesOnly) {
    addMember("C001");
    addMember("k7 ");
    addMember("花a");
    addMember("é1");
    addMember("D9", "是");
    const struct {
        const char* typed;
        bool taken;
    } cases[] = {
        {"C001", true},  {"c001", true}, {"C001 ", true},  {"c001   ", true}, {"K7", true},
        {"k7  ", true},  {"花A", true},  {" C001", false}, {"C001\t", false}, {"C001　", false},
        {"C0O1", false}, {"C00", false}, {"É1", false}, // only a to z change case, on every backend
        {"d9", false},                                  // held by a deleted member only
    };
    for (const auto& c : cases) {
        EXPECT_EQ(members::cardNumberTaken(dm(), QString::fromUtf8(c.typed)), c.taken) << c.typed;
    }
}

// Each list's, store's, staff's and user's duplicate test compares names the same way.
TEST_P(SameKeyTest, NamesOfEveryListAndUsersCompareAlike) {
    QList<lists::ListDescriptor> all = lists::referenceLists();
    all << settings::storeList() << settings::staffList() << members::memberTypeList();
    for (const lists::ListDescriptor& d : all) {
        SCOPED_TRACE(d.window.toStdString());
        lists::ListRules rules(dm(), d);
        const QStringList values(d.values.size(), "1");
        ASSERT_TRUE(rules.save({"Ab", values, ""}).done);
        EXPECT_EQ(rules.save({"aB  ", values, ""}).message, takenMessage(d.word));
        EXPECT_TRUE(rules.save({" Ab", values, ""}).done);
    }
    EXPECT_EQ(settings::saveUser(dm(), "总店", "ADMIN ", "").message,
              "用户名 已存在，请重新录入！");
    EXPECT_TRUE(settings::saveUser(dm(), "总店", " admin", "").done);
}

FLORIST_ON_EVERY_BACKEND(SameKeyTest);

} // namespace
} // namespace florist
