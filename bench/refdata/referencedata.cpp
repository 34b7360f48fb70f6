#include "referencedata.h"

#include "core/db/database.h"
#include "core/text/pinyin.h"

#include <QDate>
#include <QElapsedTimer>
#include <QStringList>

namespace florist::bench {

namespace {

const QStringList kSurnames = QString("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹"
                                      "彭曾肖田董袁潘于蒋蔡余杜叶程苏魏"
                                      "吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛"
                                      "闫段雷侯龙史陶黎贺顾毛郝龚邵万钱"
                                      "严覃武戴莫孔向汤")
                                  .split("", Qt::SkipEmptyParts);
const QStringList kGivenChars =
    QString("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉兰红梅鹏辉婷雪琳晨欣怡浩宇子涵")
        .split("", Qt::SkipEmptyParts);
const QStringList kStores = {"总店", "东城店", "西城店", "南山店", "北湖店", "江滨店", "城北店"};
const QStringList kFlowers = {"玫瑰", "百合",   "康乃馨", "郁金香", "向日葵", "满天星", "马蹄莲",
                              "绣球", "洋桔梗", "非洲菊", "蝴蝶兰", "勿忘我", "桔梗",   "雏菊"};
const QStringList kColours = {"红", "白", "粉", "黄", "紫", "香槟", "蓝", "橙"};
constexpr int kDays = 2190; // six years of dates from 2020-01-01

// "WITH RECURSIVE n(i) …" counting 0 … count-1; both engines run it without a numbers table.
// Every INSERT … SELECT ends in ORDER BY i: PostgreSQL joins by hashing and would hand the rows
// (and so their identities) over in any order, and "newest first" must mean the newest dates.
QString numbers() {
    return "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) ";
}

QString text(const QString& expr) {
    return "CAST(" + expr + " AS VARCHAR(30))";
}

void fillLookups(Database& db, const ReferenceSize& size) {
    db.exec("CREATE TABLE bench_surname (k INTEGER, name VARCHAR(10), py VARCHAR(10))");
    db.exec("CREATE TABLE bench_given (k INTEGER, name VARCHAR(10), py VARCHAR(10))");
    db.exec("CREATE TABLE bench_day (k INTEGER, d VARCHAR(10))");
    db.exec("CREATE TABLE bench_bir (k INTEGER, d VARCHAR(5))");
    db.exec("CREATE TABLE bench_store (k INTEGER, name VARCHAR(20))");
    for (int k = 0; k < kSurnames.size(); ++k) {
        db.exec("INSERT INTO bench_surname VALUES (?, ?, ?)",
                {k, kSurnames.at(k), GetPY(kSurnames.at(k))});
    }
    QStringList given = kGivenChars;
    for (const QString& a : kGivenChars) {
        for (const QString& b : kGivenChars) {
            given << a + b;
        }
    }
    for (int k = 0; k < given.size(); ++k) {
        db.exec("INSERT INTO bench_given VALUES (?, ?, ?)", {k, given.at(k), GetPY(given.at(k))});
    }
    const QDate first(2020, 1, 1);
    for (int k = 0; k < kDays; ++k) {
        db.exec("INSERT INTO bench_day VALUES (?, ?)",
                {k, first.addDays(k).toString("yyyy-MM-dd")});
    }
    for (int k = 0; k < 366; ++k) {
        db.exec("INSERT INTO bench_bir VALUES (?, ?)",
                {k, QDate(2024, 1, 1).addDays(k).toString("MM-dd")});
    }
    for (int k = 0; k < size.stores; ++k) {
        const QString store = k < kStores.size() ? kStores.at(k) : QString("分店%1").arg(k);
        db.exec("INSERT INTO bench_store VALUES (?, ?)", {k, store});
        if (k > 0) {
            db.exec(
                "INSERT INTO SWare (theName, theMType, theSex, theHX, theSD, theSK, theState, "
                "theDType) VALUES (?, '普通会员', '女', '花束', '上午', '现金', '未送', '门店')",
                {store});
        }
    }
    db.exec("INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES ('金卡会员', '', 90, 1)");
}

void dropLookups(Database& db) {
    for (const char* t :
         {"bench_surname", "bench_given", "bench_day", "bench_bir", "bench_store"}) {
        db.exec(QString("DROP TABLE ") + t);
    }
}

void members(Database& db, const ReferenceSize& size) {
    const int given = int(kGivenChars.size() * (kGivenChars.size() + 1));
    const int surnames = int(kSurnames.size());
    db.exec("INSERT INTO UMember (theDate, UName, theDel, theType, theNum, theName, myDate, "
            "theSex, theBir, theDept, thePhone, theLove, theAddress, Remark, thePY, theJF, XFDate, "
            "theCount, theMoney, theQQ, theWX, theMob, WName) " +
                numbers() +
                "SELECT d.d, 'admin', '否', CASE WHEN i % 10 < 8 THEN '普通会员' ELSE '金卡会员' "
                "END, " +
                text("100000 + i") +
                ", s.name || g.name, d.d, CASE WHEN i % 3 = 0 THEN '男' ELSE '女' END, "
                "CASE WHEN i % 20 = 0 THEN '' ELSE b.d END, "
                "CASE WHEN i % 4 = 0 THEN st.name || '商贸有限公司' ELSE '' END, "
                "'0571-' || " +
                text("80000000 + i") +
                ", CASE WHEN i % 3 = 0 THEN '玫瑰' ELSE '' END, "
                "'杭州市' || st.name || '路' || " +
                text("i % 300 + 1") +
                " || '号', '', s.py || g.py, i % 500, x.d, i % 40, (i % 1000) * 1.5, " +
                text("10000000 + i * 13") + ", 'wx' || " + text("i") + ", " +
                text("13000000000 + (CAST(i AS BIGINT) * 7919) % 6000000000") +
                ", st.name FROM n "
                "JOIN bench_surname s ON s.k = i % " +
                QString::number(surnames) + " JOIN bench_given g ON g.k = (i / " +
                QString::number(surnames) + ") % " + QString::number(given) +
                " JOIN bench_day d ON d.k = CAST(i AS BIGINT) * " + QString::number(kDays) + " / " +
                QString::number(size.members) + " JOIN bench_day x ON x.k = (i * 7 + 400) % " +
                QString::number(kDays) +
                " JOIN bench_bir b ON b.k = (i * 31) % 366 "
                "JOIN bench_store st ON st.k = i % " +
                QString::number(size.stores) + " ORDER BY i",
            {size.members - 1});
}

void orders(Database& db, const ReferenceSize& size) {
    const int given = int(kGivenChars.size() * (kGivenChars.size() + 1));
    const QString m1 = "(100 + i % 400)";
    const QString m6 = "(" + m1 + " + 10)";
    db.exec("INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, WName, "
            "DType, SH1, SH2, SH3, SH4, SH6, SH7, SH8, SH01, SH03, theHX, M1, M2, M3, M4, M5, "
            "M6, M7, M8, MType, theJDR, theHYS, DState, theJF, theSKR, theDSR, SH04, SH05, theHS, "
            "theLN) " +
                numbers() + "SELECT d.d, 'admin', '否', 'DD' || " + text("1000000 + i") +
                ", d.d, CASE WHEN i % 10 < 7 THEN '会员' WHEN i % 10 < 9 THEN '散客' ELSE '单位' "
                "END, CASE WHEN i % 10 < 7 THEN " +
                text("100000 + (i * 37) % " + QString::number(size.members)) +
                " ELSE '' END, st.name, '门店', s.name || g.name, "
                "CASE WHEN i % 2 = 0 THEN '女' ELSE '男' END, d.d, "
                "CASE WHEN i % 2 = 0 THEN '上午' ELSE '下午' END, " +
                text("13900000000 + (CAST(i AS BIGINT) * 104729) % 90000000") +
                ", '西湖区', '文三路' || " + text("i % 500 + 1") + " || '号', s2.name || g.name, " +
                text("13600000000 + (CAST(i AS BIGINT) * 7919) % 90000000") +
                ", CASE WHEN i % 3 = 0 THEN '花篮' ELSE '花束' END, " + m1 + ", 100, " + m1 +
                ", 10, 0, " + m6 + ", CASE WHEN i % 8 = 0 THEN 0 ELSE " + m6 +
                " END, CASE WHEN i % 8 = 0 THEN " + m6 +
                " ELSE 0 END, '现金', '小王', '小李', "
                "CASE WHEN i % 6 = 0 THEN '未送' WHEN i % 50 = 1 THEN '未取' ELSE '已送' END, " +
                m6 +
                ", '小王', '小张', '生日', '朋友', CASE WHEN i % 10 = 0 THEN '是' ELSE '否' END, "
                "CASE WHEN i % 20 = 0 THEN '是' ELSE '否' END FROM n "
                "JOIN bench_surname s ON s.k = i % 100 "
                "JOIN bench_surname s2 ON s2.k = (i / 7) % 100 "
                "JOIN bench_given g ON g.k = (i / 100) % " +
                QString::number(given) + " JOIN bench_day d ON d.k = CAST(i AS BIGINT) * " +
                QString::number(kDays) + " / " + QString::number(size.orders) +
                " JOIN bench_store st ON st.k = i % " + QString::number(size.stores) +
                " ORDER BY i",
            {size.orders - 1});
    db.exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, theDel, "
            "theSKR) SELECT theNum, theDate, UName, M7, MType, '订单录入', WName, '否', theSKR "
            "FROM UOrder ORDER BY ID");
}

void topUps(Database& db, const ReferenceSize& size) {
    db.exec("INSERT INTO UStore (theDate, UName, theDel, theNum, myDate, MNum, M1, M2, MType, "
            "theSKR, Remark, WName) " +
                numbers() + "SELECT d.d, 'admin', '否', 'CZ' || " + text("1000000 + i") +
                ", d.d, " + text("100000 + (i * 53) % " + QString::number(size.members)) +
                ", (i % 10 + 1) * 100, (i % 10) * 10, '现金', '小王', '', st.name FROM n "
                "JOIN bench_day d ON d.k = CAST(i AS BIGINT) * " +
                QString::number(kDays) + " / " + QString::number(size.topUps) +
                " JOIN bench_store st ON st.k = i % " + QString::number(size.stores) +
                " ORDER BY i",
            {size.topUps - 1});
}

void stock(Database& db, const ReferenceSize& size) {
    for (int k = 0; k < size.materials; ++k) {
        const QString name =
            kColours.at(k / int(kFlowers.size()) % kColours.size()) +
            kFlowers.at(k % kFlowers.size()) +
            (k >= kFlowers.size() * kColours.size() ? QString::number(k) : QString());
        db.exec("INSERT INTO UHC (theType, theNum, theName, theUnit, theCG, theXS, Remark, thePY, "
                "theDel) VALUES ('鲜花', ?, ?, '枝', ?, ?, '', ?, '否')",
                {QString("HC%1").arg(k + 1, 4, 10, QChar('0')), name, 1 + k % 20, 3 + k % 30,
                 GetPY(name)});
    }
    const qlonglong firstMaterial = db.scalar("SELECT MIN(ID) FROM UHC").toLongLong();
    db.exec("INSERT INTO UHCKC (WName, CGNum, HCID, theCount, thePrice, myDate) " + numbers() +
                "SELECT st.name, 'CG' || " + text("1000000 + i / 10") + ", ? + i % " +
                QString::number(size.materials) +
                ", i % 50, 1 + i % 20, d.d FROM n "
                "JOIN bench_day d ON d.k = CAST(i AS BIGINT) * " +
                QString::number(kDays) + " / " + QString::number(size.lots) +
                " JOIN bench_store st ON st.k = i % " + QString::number(size.stores) +
                " ORDER BY i",
            {size.lots - 1, firstMaterial});
}

} // namespace

void generateReferenceData(Database& db, const ReferenceSize& size,
                           const std::function<void(const QString&)>& progress) {
    QElapsedTimer clock;
    clock.start();
    auto step = [&](const QString& what, const std::function<void()>& fn) {
        const qint64 start = clock.elapsed();
        fn();
        if (progress) {
            progress(
                QString("%1: %2 s").arg(what).arg((clock.elapsed() - start) / 1000.0, 0, 'f', 1));
        }
    };
    db.transaction([&] {
        step("lookup tables", [&] { fillLookups(db, size); });
        step(QString("%1 members").arg(size.members), [&] { members(db, size); });
        step(QString("%1 orders with collections").arg(size.orders), [&] { orders(db, size); });
        step(QString("%1 top-ups").arg(size.topUps), [&] { topUps(db, size); });
        step(QString("%1 stock lots").arg(size.lots), [&] { stock(db, size); });
        dropLookups(db);
    });
    step("statistics", [&] { db.exec("ANALYZE"); });
}

bool hasReferenceData(Database& db, const ReferenceSize& size) {
    // A set made before the orders carried their reminder flags (and before identities followed
    // the dates) does not count.
    return db.scalar("SELECT COUNT(*) FROM UMember").toLongLong() >= size.members &&
           db.scalar("SELECT COUNT(*) FROM UOrder").toLongLong() >= size.orders &&
           db.scalar("SELECT COUNT(*) FROM UOrder WHERE (theLN = '是')").toLongLong() > 0;
}

} // namespace florist::bench
