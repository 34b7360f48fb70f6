#include "core/db/datamodule.h"
#include "core/lists/listrules.h"
#include "core/settings/storelists.h"
#include "lists/referencelists.h"
#include "members/membertypes.h"
#include "support/dbfixture.h"

namespace florist::lists {
namespace {

QList<ListDescriptor> everyList() {
    QList<ListDescriptor> all = referenceLists();
    all << settings::storeList() << settings::staffList() << members::memberTypeList();
    return all;
}

ListDescriptor byWindow(const QString& window) {
    for (const ListDescriptor& d : everyList()) {
        if (d.window == window) {
            return d;
        }
    }
    ADD_FAILURE() << "no list " << window.toStdString();
    return {};
}

struct Expected {
    const char* window;
    const char* caption;
    int width;
    const char* table;
    const char* word;
    const char* nameLabel;
    int nameLimit;
    const char* group;
    const char* success;
    const char* headings; // the grid's headings, ID last
};

const Expected kLists[] = {
    {"frmSSex", "性别设置", 490, "SSex", "性别", "性        别：", 4, "性别信息",
     "恭喜！恭喜！ 性别信息 保存成功！", "性别,备注,ID"},
    {"frmSSD", "送达时段设置", 490, "SSD", "送达时段", "送达时段：", 12, "送达时段信息",
     "恭喜！恭喜！ 送达时段信息 保存成功！", "送达时段,备注,ID"},
    {"frmSSK", "收付款方式设置", 490, "SSK", "收付款方式", "收付款方式：", 12, "收付款方式信息",
     "恭喜！恭喜！ 收付款方式信息 保存成功！", "收付款方式,备注,ID"},
    {"frmSUse", "送花用途设置", 490, "SUse", "送花用途", "送花用途：", 4, "送花用途信息",
     "恭喜！恭喜！ 送花用途信息 保存成功！", "送花用途,备注,ID"},
    {"frmSObject", "送花对象设置", 490, "SObject", "送花对象", "送花对象：", 4, "送花对象信息",
     "恭喜！恭喜！ 送花对象信息 保存成功！", "送花对象,备注,ID"},
    {"frmHX", "商品名称设置", 490, "SHX", "商品名称", "商品名称：", 12, "商品名称信息",
     "恭喜！恭喜！ 商品名称信息 保存成功！", "商品名称,备注,ID"},
    {"frmDType", "订单类型", 490, "SDType", "订单类型", "订单类型：", 12, "订单类型信息",
     "恭喜！恭喜！ 订单类型信息 保存成功！", "订单类型,备注,ID"},
    {"frmSHCType", "花材分类设置", 490, "SHCType", "花材分类", "花材分类：", 12, "花材分类信息",
     "恭喜！恭喜！ 花材分类信息 保存成功！", "花材分类,备注,ID"},
    {"frmSHCUnit", "花材单位设置", 490, "SHCUnit", "花材单位", "花材单位：", 4, "花材单位信息",
     "恭喜！恭喜！ 花材单位信息 保存成功！", "花材单位,备注,ID"},
    {"frmSArea", "送花区域设置", 530, "SArea", "送达区域", "送花区域：", 12, "送花区域信息",
     "恭喜！恭喜！ 送达区域信息 保存成功！", "送达区域,递送费,备注,ID"},
    {"frmSAlliance", "联盟单位设置", 530, "SAlliance", "联盟单位", "联盟单位：", 12, "联盟单位信息",
     "恭喜！恭喜！ 联盟单位信息 保存成功！", "联盟单位,享受折扣,备注,ID"},
    {"frmSGift", "礼品设置", 530, "SGift", "礼品名称", "礼品名称：", 12, "礼品信息",
     "恭喜！恭喜！ 礼品信息 保存成功！", "礼品名称,所需积分,备注,ID"},
    {"frmWare", "门店设置", 490, "SWare", "仓库名称", "门店名称：", 12, "门店信息",
     "恭喜！恭喜！ 仓库信息 保存成功！", "门店名称,备注,ID"},
    {"frmWorker", "员工设置", 530, "SWorker", "员工姓名", "员工姓名：", 12, "用户信息",
     "恭喜！恭喜！ 员工信息 保存成功！", "门店名称,员工姓名,备注,ID"},
    {"frmMType", "会员类别设置", 530, "SMType", "会员类别", "会员类别：", 12, "会员类别信息",
     "恭喜！恭喜！ 会员类别信息 保存成功！", "会员类别,享受折扣,积分比例,备注,ID"},
};

class ListRulesTest : public test::DbTest {
protected:
    FormOutcome save(const QString& window, const QString& name, const QStringList& values = {},
                     const QString& remark = "") {
        ListRules rules(dm(), byWindow(window));
        return rules.save({name, values, remark});
    }
    int rows(const QString& table) { return db().count("SELECT ID FROM " + table); }
};

TEST(ListDescriptors, CaptionsLimitsAndMessagesOfEveryList) {
    const QList<ListDescriptor> all = everyList();
    ASSERT_EQ(all.size(), int(std::size(kLists)));
    for (const Expected& e : kLists) {
        SCOPED_TRACE(e.window);
        const ListDescriptor d = byWindow(e.window);
        EXPECT_EQ(d.caption, e.caption);
        EXPECT_EQ(d.size, QSize(e.width, 480));
        EXPECT_EQ(d.table, e.table);
        EXPECT_EQ(d.word, e.word);
        EXPECT_EQ(d.nameLabel, e.nameLabel);
        EXPECT_EQ(d.nameLimit, e.nameLimit);
        EXPECT_EQ(d.group, e.group);
        EXPECT_EQ(savedMessage(d.successWord), e.success);
        EXPECT_EQ(d.remarkLabel, "备        注：");
        EXPECT_EQ(d.remarkLimit, 50);
    }
}

TEST(ListDescriptors, ExtraValuesOfTheWiderLists) {
    struct Value {
        const char* window;
        const char* label;
        const char* word;
        int limit;
        Keys keys;
        QList<QPair<int, int>> widths;
    };
    const Value values[] = {
        {"frmSArea", "递  送  费：", "递送费", 10, Keys::Amount, {{1, 80}}},
        {"frmSAlliance", "享受折扣：", "享受折扣", 3, Keys::Digits, {{1, 80}}},
        {"frmSGift", "所需积分：", "所需积分", 12, Keys::Amount, {{1, 80}}},
    };
    for (const Value& v : values) {
        SCOPED_TRACE(v.window);
        const ListDescriptor d = byWindow(v.window);
        ASSERT_EQ(d.values.size(), 1);
        EXPECT_EQ(d.values[0].label, v.label);
        EXPECT_EQ(d.values[0].word, v.word);
        EXPECT_EQ(d.values[0].limit, v.limit);
        EXPECT_EQ(d.values[0].keys, v.keys);
        EXPECT_EQ(d.columnWidths, v.widths);
    }
    const ListDescriptor m = byWindow("frmMType");
    ASSERT_EQ(m.values.size(), 2);
    EXPECT_EQ(m.values[0].label, "享受折扣：");
    EXPECT_EQ(m.values[1].label, "积分比例：");
    EXPECT_EQ(m.values[1].limit, 12);
    EXPECT_EQ(m.columnWidths, (QList<QPair<int, int>>{{3, 260}}));
}

TEST_P(ListRulesTest, GridHeadingsAreTheAliases) {
    for (const Expected& e : kLists) {
        SCOPED_TRACE(e.window);
        ListRules rules(dm(), byWindow(e.window));
        QStringList headings = rules.rows().columns();
        headings.last() = headings.last().toUpper();
        EXPECT_EQ(headings.join(","), e.headings);
    }
}

TEST_P(ListRulesTest, EmptyNameAndDuplicateAreRefusedAndNothingIsWritten) {
    EXPECT_EQ(save("frmSSex", "").message, "性别 不能为空，请重新录入！");
    EXPECT_EQ(save("frmSSex", "").focus, "性别");
    EXPECT_EQ(rows("SSex"), 2);
    FormOutcome taken = save("frmSSex", "男");
    EXPECT_FALSE(taken.done);
    EXPECT_EQ(taken.message, "性别 已存在，请重新录入！");
    EXPECT_EQ(taken.focus, ""); // the focus stays where it was; only the staff list moves it
    EXPECT_EQ(rows("SSex"), 2);
    EXPECT_EQ(save("frmWare", "总店").message, "仓库名称 已存在，请重新录入！");
    EXPECT_EQ(save("frmWare", "总店").focus, "");
    EXPECT_EQ(save("frmWare", "").message, "仓库名称 不能为空，请重新录入！");
    FormOutcome ok = save("frmSSex", "保密", {}, "不愿透露");
    EXPECT_TRUE(ok.done);
    EXPECT_EQ(ok.message, "恭喜！恭喜！ 性别信息 保存成功！");
    EXPECT_EQ(ok.focus, "性别");
    EXPECT_EQ(save("frmSSex", "保密").message, "性别 已存在，请重新录入！");
    EXPECT_EQ(rows("SSex"), 3);
}

TEST_P(ListRulesTest, AreaFeeZeroTypedAsZeroIsRefusedOtherZerosPass) {
    struct Case {
        const char* fee;
        const char* message; // empty: saved
        double stored;
    };
    const Case cases[] = {
        {"", "递送费 不能为空，请重新录入！", 0},
        {"0", "递送费 不能为零，请重新录入！", 0},
        {".", "递送费 不是有效的数字，请重新录入！", 0},
        {"1.2.3", "递送费 不是有效的数字，请重新录入！", 0},
        {"0.0", "", 0},
        {"00", "", 0},
        {"0.5", "", 0.5},
        {"12.5", "", 12.5},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fee);
        const QString name = "区域" + QString::number(n++);
        FormOutcome out = save("frmSArea", name, {c.fee});
        if (*c.message) {
            EXPECT_FALSE(out.done);
            EXPECT_EQ(out.message, c.message);
            EXPECT_EQ(out.focus, "递送费");
            EXPECT_EQ(db().count("SELECT ID FROM SArea WHERE (theName = ?)", {name}), 0);
        } else {
            EXPECT_EQ(out.message, "恭喜！恭喜！ 送达区域信息 保存成功！");
            ResultSet rs =
                db().select("SELECT thePrice, thePY FROM SArea WHERE (theName = ?)", {name});
            ASSERT_EQ(rs.size(), 1);
            EXPECT_DOUBLE_EQ(rs.value(0, "thePrice").toDouble(), c.stored);
            EXPECT_EQ(rs.text(0, "thePY").left(2), "QY");
        }
    }
}

// Text that reached a field without being typed (pasted by a script, set by a program) meets the
// field's limit and keys at save.
TEST_P(ListRulesTest, LimitsAndKeysAreCheckedAgainAtSave) {
    struct Case {
        const char* window;
        const char* name;
        QStringList values;
        QString remark;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"frmSSex", "不知道", {}, "", "性别 超过 4 个字节，请重新录入！", "性别"},
        {"frmWare", "一二三四五六七", {}, "", "仓库名称 超过 12 个字节，请重新录入！", "门店名称"},
        {"frmSSD",
         "中午",
         {},
         QString(26, QChar(0x82B1)),
         "备注 超过 50 个字节，请重新录入！",
         "备注"},
        {"frmSAlliance", "银行", {"8.5"}, "", "享受折扣 不是有效的数字，请重新录入！", "享受折扣"},
        {"frmSAlliance", "银行", {"1000"}, "", "享受折扣 超过 3 个字节，请重新录入！", "享受折扣"},
        {"frmSArea", "东城", {"-5"}, "", "递送费 不是有效的数字，请重新录入！", "递送费"},
        {"frmSArea", "东城", {"1e3"}, "", "递送费 不是有效的数字，请重新录入！", "递送费"},
        {"frmSGift",
         "花瓶",
         {"1234567890123"},
         "",
         "所需积分 超过 12 个字节，请重新录入！",
         "所需积分"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const FormOutcome out = save(c.window, c.name, c.values, c.remark);
        EXPECT_FALSE(out.done);
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.focus, c.focus);
    }
    EXPECT_EQ(rows("SAlliance") + rows("SArea") + rows("SGift"), 0);
    EXPECT_EQ(rows("SSex") + rows("SWare") + rows("SSD"), 2 + 1 + 3);
    // At the limit everything passes.
    EXPECT_TRUE(save("frmSSex", "保密", {}, QString(25, QChar(0x82B1))).done);
    EXPECT_TRUE(save("frmSAlliance", "银行", {"100"}).done);
}

TEST_P(ListRulesTest, AllianceAndGiftValuesAreStoredAsNumbers) {
    EXPECT_EQ(save("frmSAlliance", "银行", {"0"}).message, "享受折扣 不能为零，请重新录入！");
    EXPECT_TRUE(save("frmSAlliance", "银行", {"85"}).done);
    EXPECT_EQ(dm().myRetAZK("银行"), "85");
    EXPECT_EQ(save("frmSGift", "花瓶", {""}).message, "所需积分 不能为空，请重新录入！");
    EXPECT_TRUE(save("frmSGift", "花瓶", {"300"}).done);
    EXPECT_EQ(dm().myRetGift("花瓶"), "300");
}

TEST_P(ListRulesTest, QuoteInNameIsStoredVerbatimAndRemovalIsARealDelete) {
    const QString name = "'\"花"; // 4 GBK bytes, the list's limit
    ASSERT_TRUE(save("frmSObject", name, {}, "it's").done);
    EXPECT_EQ(save("frmSObject", name).message, "送花对象 已存在，请重新录入！");
    ListRules rules(dm(), byWindow("frmSObject"));
    ResultSet rs = rules.rows();
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "送花对象"), name);
    EXPECT_EQ(rs.text(0, "备注"), "it's");
    rules.remove(rs.value(0, "ID").toLongLong());
    EXPECT_EQ(rows("SObject"), 0);
}

TEST_P(ListRulesTest, SharedDropDownSeesASaveAndARemovalAtOnce) {
    QStringListModel* sexes = dm().loaders().DBComSex();
    ASSERT_TRUE(save("frmSSex", "未知").done);
    EXPECT_TRUE(sexes->stringList().contains("未知"));
    ListRules rules(dm(), byWindow("frmSSex"));
    const qlonglong id =
        db().scalar("SELECT ID FROM SSex WHERE (theName = ?)", {"未知"}).toLongLong();
    rules.remove(id);
    EXPECT_FALSE(sexes->stringList().contains("未知"));
    QStringListModel* staff = dm().loaders().DBComWorker("总店");
    ASSERT_TRUE(save("frmWorker", "小李").done);
    EXPECT_EQ(staff->stringList(), QStringList{"小李"});
}

// A drop-down keeps what it shows while rows come and go around it.
TEST_P(ListRulesTest, ReloadKeepsTheRowsThatStay) {
    QStringListModel* timeSlots = dm().loaders().DBComSD();
    ASSERT_EQ(timeSlots->stringList(), (QStringList{"上午", "下午", "晚上"}));
    QPersistentModelIndex afternoon(timeSlots->index(1));
    int resets = 0;
    QObject::connect(timeSlots, &QAbstractItemModel::modelReset, [&] { resets++; });
    ASSERT_TRUE(save("frmSSD", "中午").done);
    ListRules rules(dm(), byWindow("frmSSD"));
    rules.remove(db().scalar("SELECT ID FROM SSD WHERE (theName = '上午')").toLongLong());
    EXPECT_EQ(timeSlots->stringList(), (QStringList{"下午", "晚上", "中午"}));
    EXPECT_EQ(resets, 0);
    ASSERT_TRUE(afternoon.isValid());
    EXPECT_EQ(afternoon.data().toString(), "下午");
    rules.remove(db().scalar("SELECT ID FROM SSD WHERE (theName = '下午')").toLongLong());
    EXPECT_FALSE(afternoon.isValid());
}

TEST_P(ListRulesTest, StaffNamesAreUniqueWithinOneStoreOnly) {
    ASSERT_TRUE(save("frmWorker", "小王").done);
    FormOutcome again = save("frmWorker", "小王");
    EXPECT_EQ(again.message, "员工姓名 已存在，请重新录入！");
    EXPECT_EQ(again.focus, "员工姓名");
    ASSERT_TRUE(save("frmWare", "分店", {}, "东街").done);
    dm().login().currentStore = "分店";
    EXPECT_TRUE(save("frmWorker", "小王").done);
    ListRules rules(dm(), byWindow("frmWorker"));
    ResultSet rs = rules.rows();
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "门店名称"), "分店");
    EXPECT_EQ(rows("SWorker"), 2);
    // A new store starts with empty defaults for category, sex and product.
    ResultSet store = db().select("SELECT theMType, theSex, theHX, Remark FROM SWare WHERE "
                                  "(theName = '分店')");
    EXPECT_EQ(store.text(0, "theMType") + store.text(0, "theSex") + store.text(0, "theHX"), "");
    EXPECT_EQ(store.text(0, "Remark"), "东街");
}

TEST_P(ListRulesTest, MemberCategoryRateMustBeANonZeroNumber) {
    struct Case {
        const char* discount;
        const char* rate;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"90", "0", "积分比例 不能为零，请重新录入！", "积分比例"},
        {"90", "0.0", "积分比例 不能为零，请重新录入！", "积分比例"},
        {"90", "", "积分比例 不能为空，请重新录入！", "积分比例"},
        {"90", "十", "积分比例 不是有效的数字，请重新录入！", "积分比例"},
        {"九折", "1", "享受折扣 不是有效的数字，请重新录入！", "享受折扣"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        FormOutcome out = save("frmMType", "金卡", {c.discount, c.rate});
        EXPECT_FALSE(out.done);
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.focus, c.focus);
    }
    EXPECT_EQ(rows("SMType"), 1);
    // The discount has no range check: 0 and 150 are written as typed.
    FormOutcome ok = save("frmMType", "金卡", {"0", "2.5"}, "员工卡");
    EXPECT_EQ(ok.message, "恭喜！恭喜！ 会员类别信息 保存成功！");
    ResultSet rs = db().select("SELECT theZK, theJF FROM SMType WHERE (theName = '金卡')");
    EXPECT_EQ(rs.text(0, "theZK"), "0");
    EXPECT_EQ(rs.text(0, "theJF"), "2.5");
    EXPECT_EQ(save("frmMType", "金卡", {"80", "1"}).message, "会员类别 已存在，请重新录入！");
}

// The category editor tests the name, then whether it exists, then the values; the lists with a
// number beside the name test the number first.
TEST_P(ListRulesTest, CategoryDuplicateAnswersBeforeTheValues) {
    ASSERT_TRUE(save("frmSArea", "东区", {"5"}).done);
    const struct {
        const char* window;
        const char* name;
        QStringList values;
        const char* message;
    } cases[] = {
        {"frmMType", "", {"", ""}, "会员类别 不能为空，请重新录入！"},
        {"frmMType", "普通会员", {"", ""}, "会员类别 已存在，请重新录入！"},
        {"frmMType", "普通会员", {"九折", "0"}, "会员类别 已存在，请重新录入！"},
        {"frmMType", "金卡", {"", "1"}, "享受折扣 不能为空，请重新录入！"},
        {"frmMType", "金卡", {"90", "0"}, "积分比例 不能为零，请重新录入！"},
        {"frmSArea", "东区", {""}, "递送费 不能为空，请重新录入！"},
        {"frmSArea", "东区", {"6"}, "送达区域 已存在，请重新录入！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.name);
        EXPECT_EQ(save(c.window, QString::fromUtf8(c.name), c.values).message, c.message);
    }
    EXPECT_EQ(rows("SMType"), 1);
}

FLORIST_ON_EVERY_BACKEND(ListRulesTest);

} // namespace
} // namespace florist::lists
