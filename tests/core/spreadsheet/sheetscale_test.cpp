#include "core/spreadsheet/celltext.h"
#include "core/spreadsheet/sheetreader.h"
#include "ziptestutil.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#if defined(Q_OS_LINUX)
#include <sys/resource.h>
#endif

namespace florist {
namespace {

using namespace test;

const QByteArray kHeader = R"(<row r="1"><c r="A1" t="inlineStr"><is><t>卡号</t></is></c></row>)";

// Sheets built to cost time or memory out of all proportion to their size, and sheets that are
// simply large: each is answered within the time limit given here, with the message that names
// what is wrong, or read within a bound of memory.
class SheetScaleTest : public ::testing::Test {
protected:
    QString xlsx(const QString& name, const QByteArray& sheetData) {
        const QString p = dir_.filePath(name);
        EXPECT_TRUE(writeZip(p, xlsxParts(sheetData)));
        return p;
    }
    static QString outcome(const QString& path, const SheetLimits& limits) {
        try {
            const Sheet s = readSheet(path, limits);
            return QString("read %1 rows").arg(s.rows.size());
        } catch (const Failure& f) {
            return f.text();
        }
    }
    // Sets the unpacked size that the zip's headers declare for a part.
    static void declareSize(const QString& path, const QByteArray& part, quint32 size) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        for (const auto& [signature, sizeAt, nameLengthAt, nameAt] :
             {std::tuple{QByteArray("PK\x03\x04"), 22, 26, 30},
              std::tuple{QByteArray("PK\x01\x02"), 24, 28, 46}}) {
            for (qsizetype at = bytes.indexOf(signature); at >= 0;
                 at = bytes.indexOf(signature, at + 4)) {
                const quint16 nameLength =
                    qFromLittleEndian<quint16>(bytes.constData() + at + nameLengthAt);
                if (bytes.mid(at + nameAt, nameLength) == part) {
                    qToLittleEndian<quint32>(size, bytes.data() + at + sizeAt);
                }
            }
        }
        f.seek(0);
        f.write(bytes);
    }

    QTemporaryDir dir_;
};

TEST_F(SheetScaleTest, HostileSheetsAreAnsweredQuickly) {
    const QString damaged = "文件已损坏或不是EXCEL文件";
    QByteArray attributes = R"(<row r="2"><c r="A2")";
    for (int i = 0; i < 200'000; ++i) {
        attributes += " a" + QByteArray::number(i) + "=\"1\"";
    }
    attributes += "><v>7</v></c></row>";
    QByteArray fewer = attributes.left(attributes.indexOf(" a50000=")) + "><v>7</v></c></row>";
    // Empty cells that inflate a thousand times: a small file that is mostly air.
    const QByteArray air = QByteArray("<c/>").repeated(3'000'000);
    const QString bomb = xlsx("bomb.xlsx", kHeader + "<row>" + air + "</row>");
    const QString lyingBomb = xlsx("lying.xlsx", kHeader + "<row>" + air + "</row>");
    declareSize(lyingBomb, "xl/worksheets/data.xml", 1000);
    const QString hugeSize = xlsx("size.xlsx", kHeader);
    declareSize(hugeSize, "xl/worksheets/data.xml", 0xFFFFFFFF);
    QFile csv(dir_.filePath("wide.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("卡号,姓名,电话\n1,2,3\n");
    csv.close();
    SheetLimits quick;
    quick.maxSeconds = 20; // beyond it the helper is stopped and the answer is the wrong one
    SheetLimits fewCells = quick;
    fewCells.maxCells = 4;
    struct Case {
        const char* what;
        QString path;
        SheetLimits limits;
        QString expected;
    };
    const QList<Case> cases = {
        {"a cell with 200,000 attributes", xlsx("attributes.xlsx", kHeader + attributes), quick,
         damaged},
        {"the same with '>' in every value",
         xlsx("closing.xlsx", kHeader + QByteArray(attributes).replace("=\"1\"", "=\">\"")), quick,
         damaged},
        {"a cell with 50,000 attributes", xlsx("fewer.xlsx", kHeader + fewer), quick,
         "read 1 rows"},
        {"a part that inflates a thousand times", bomb, quick, "的内容过大"},
        {"the same declaring a small size", lyingBomb, quick, "的内容过大"},
        {"a part declaring an unpacked size of 0xFFFFFFFF", hugeSize, quick, damaged},
        {"a cell past the last column",
         xlsx("column.xlsx", kHeader + R"(<row r="2"><c r="XFE2"><v>1</v></c></row>)"), quick,
         "EXCEL文件的单元格位置超出范围（第 2 行，第 16385 列）"},
        {"an empty cell far past the last column, then one after it",
         xlsx("after.xlsx", kHeader + R"(<row r="2"><c r="ZZZZZZZZZZ2"/><c><v>1</v></c></row>)"),
         quick, "EXCEL文件的单元格位置超出范围（第 2 行，第 1099511627777 列）"},
        {"a csv with more cells than allowed", csv.fileName(), fewCells,
         "CSV文件的数据过多，无法读取！"},
    };
    for (const Case& c : cases) {
        const QString got = outcome(c.path, c.limits);
        EXPECT_TRUE(got.contains(c.expected)) << c.what << ": " << got.toStdString();
    }
}

// Cells may come in any order and twice; the later value counts.
TEST_F(SheetScaleTest, BuilderTakesCellsInAnyOrder) {
    SheetBuilder builder({});
    builder.set(2, 1, "旧");
    builder.set(0, 0, "卡号");
    builder.set(2, 0, "0012");
    builder.set(2, 1, "新");
    builder.set(0, 2, "备注");
    const Sheet s = builder.take();
    EXPECT_EQ(s.headings, QStringList({"卡号", "F2", "备注"}));
    EXPECT_EQ(s.rows, QList<QStringList>({{"", "", ""}, {"0012", "新", ""}}));
}

// Dates of every era read as the general date rule writes them.
TEST_F(SheetScaleTest, WholeDateSerialsReadAsDates) {
    const QList<qint64> serials = {0, 1, 59, 60, 61, 366, 25569, 36526, 43890, 2958465, 2958466};
    QByteArray data = kHeader;
    for (int i = 0; i < serials.size(); ++i) {
        data += QString(R"(<row r="%1"><c r="A%1" s="1"><v>%2</v></c></row>)")
                    .arg(i + 2)
                    .arg(serials[i])
                    .toUtf8();
    }
    const QString p = dir_.filePath("dates.xlsx");
    ASSERT_TRUE(writeZip(p, xlsxParts(data, {}, R"(<cellXfs><xf/><xf numFmtId="14"/></cellXfs>)")));
    const Sheet s = readSheet(p);
    ASSERT_EQ(s.rows.size(), serials.size());
    for (int i = 0; i < serials.size(); ++i) {
        EXPECT_EQ(s.rows.cell(i, 0), serialDateText(double(serials[i]))) << serials[i];
    }
}

#if defined(Q_OS_LINUX)
qint64 statusKB(const char* field) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toLongLong();
        }
    }
    return 0;
}

// A million rows cross from the helper in their compact form: the program holds little more
// than their text, and neither process comes near the memory the rows once took as strings.
TEST_F(SheetScaleTest, MillionRowsStayWithinMemory) {
    QByteArray data =
        R"(<row><c t="inlineStr"><is><t>卡号</t></is></c><c t="inlineStr"><is><t>积分</t></is></c></row>)";
    data.reserve(40 * 1024 * 1024);
    for (int r = 0; r < 1'000'000; ++r) {
        data += "<row><c><v>" + QByteArray::number(1'000'000 + r) + "</v></c><c><v>" +
                QByteArray::number(r % 100) + "</v></c></row>";
    }
    const QString p = xlsx("million.xlsx", data);
    data = {};
    const qint64 before = statusKB("VmRSS:");
    QFile reset("/proc/self/clear_refs");
    if (reset.open(QIODevice::WriteOnly)) {
        reset.write("5"); // the peak starts again from here
        reset.close();
    }
    const Sheet s = readSheet(p);
    const qint64 programMB = (statusKB("VmHWM:") - before) / 1024;
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    const qint64 helperMB = children.ru_maxrss / 1024;
    ASSERT_EQ(s.rows.size(), 1'000'000);
    EXPECT_EQ(s.rows[999'999], QStringList({"1999999", "99"}));
    EXPECT_LT(s.rows.heldBytes(), 32 * 1024 * 1024);
    EXPECT_LT(programMB, 64) << "the reading process grew by " << programMB << " MB";
    EXPECT_LT(helperMB, 256) << "the helper peaked at " << helperMB << " MB";
}
#endif

} // namespace
} // namespace florist
