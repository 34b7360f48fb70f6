#include "core/spreadsheet/sheetreader.h"
#include "core/text/gbk.h"
#include "ziptestutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist {
namespace {

class SheetReaderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString writeXlsx(const QString& name, const QByteArray& sheetData,
                      const QByteArray& strings = {}, const QByteArray& styles = {},
                      const QByteArray& sheetName = "Sheet1") {
        const QString p = path(name);
        EXPECT_TRUE(test::writeZip(p, test::xlsxParts(sheetData, strings, styles, sheetName)));
        return p;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QString failureOf(const QString& file, const SheetLimits& limits = {}) {
        try {
            readSheet(file, limits);
        } catch (const Failure& f) {
            return f.text();
        }
        return "no failure";
    }

    QTemporaryDir dir_;
};

// Every kind of cell an xlsx holds comes out as the text the spreadsheet shows for it.
TEST_F(SheetReaderTest, XlsxCellsReadAsShownText) {
    const QByteArray strings =
        R"(<si><t>卡号</t></si><si><r><t>姓</t></r><r><rPr><b/></rPr><t>名</t></r><rPh><t>xingming</t></rPh></si>)"
        R"(<si><t xml:space="preserve"> 玫瑰 _x000D_红</t></si>)";
    const QByteArray styles =
        R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"/></numFmts>)"
        R"(<cellStyleXfs><xf numFmtId="14"/></cellStyleXfs>)"
        R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="2"/></cellXfs>)";
    const QByteArray data =
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c t="inlineStr"><is><t>生日</t></is></c><c r="D1" t="inlineStr"><is><t>金额</t></is></c><c r="E1" t="inlineStr"><is><t>备注</t></is></c></row>)"
        R"(<row r="2"><c r="A2"><v>13800138000</v></c><c r="B2" t="s"><v>2</v></c><c r="C2" s="1"><v>46145</v></c><c r="D2" s="3"><v>12.5</v></c><c r="E2" t="b"><v>1</v></c></row>)"
        R"(<row r="3"><c r="A3" t="str"><f>A2&amp;""</f><v>0012</v></c><c r="C3" s="2"><v>32996</v></c><c r="D3"><v>0.30000000000000004</v></c><c r="E3" t="e"><v>#N/A</v></c></row>)"
        R"(<row r="5"><c r="B5" t="inlineStr"><is><t>隔行</t></is></c><c r="D5"><v>-1.5E-3</v></c></row>)"
        R"(<row r="6"><c r="A6" s="1"/><c r="B6" t="inlineStr"><is><t></t></is></c></row>)";
    const Sheet s = readSheet(writeXlsx("cells.xlsx", data, strings, styles));
    EXPECT_EQ(s.headings, QStringList({"卡号", "姓名", "生日", "金额", "备注"}));
    ASSERT_EQ(s.rows.size(), 4); // row 6 holds nothing and is dropped; row 4 stays empty
    EXPECT_EQ(s.rows[0], QStringList({"13800138000", " 玫瑰 \r红", "2026-05-03", "12.5", "TRUE"}));
    EXPECT_EQ(s.rows[1], QStringList({"0012", "", "1990-05-03", "0.3", "#N/A"}));
    EXPECT_EQ(s.rows[2], QStringList({"", "", "", "", ""}));
    EXPECT_EQ(s.rows[3], QStringList({"", "隔行", "", "-0.0015", ""}));
    EXPECT_FALSE(s.rows[2][0].isNull()) << "empty cells are empty text, never NULL";
}

// Columns are found by heading, so a sheet in another order reads the same values.
TEST_F(SheetReaderTest, CellsAreReadByHeadingInAnyOrder) {
    const QByteArray data =
        R"(<row r="1"><c r="A1" t="inlineStr"><is><t>姓名</t></is></c><c r="B1" t="inlineStr"><is><t> 卡号 </t></is></c><c r="D1" t="inlineStr"><is><t>qq号</t></is></c></row>)"
        R"(<row r="2"><c r="A2" t="inlineStr"><is><t>李四</t></is></c><c r="B2"><v>8</v></c><c r="C2"><v>1</v></c><c r="D2"><v>10001</v></c></row>)";
    const Sheet s = readSheet(writeXlsx("order.xlsx", data));
    EXPECT_EQ(s.headings, QStringList({"姓名", "卡号", "F3", "qq号"}));
    const SheetRow row(s, 0);
    EXPECT_EQ(row.sheetRow(), 2);
    EXPECT_EQ(row.text("卡号"), "8");
    EXPECT_EQ(row.text("姓名"), "李四");
    EXPECT_EQ(row.text("QQ号"), "10001");
    try {
        row.text("手机号码");
        ADD_FAILURE() << "a missing heading must fail";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "EXCEL文件中缺少列：手机号码");
    }
}

// The kind of file is told by its content: a name that claims .xls does not matter.
TEST_F(SheetReaderTest, KindComesFromContentNotName) {
    const QByteArray data = R"(<row r="1"><c r="A1" t="inlineStr"><is><t>卡号</t></is></c></row>)"
                            R"(<row r="2"><c r="A2"><v>7</v></c></row>)";
    const Sheet s = readSheet(writeXlsx("data.xlsx.bak.xls", data));
    EXPECT_EQ(s.headings, QStringList({"卡号"}));
    ASSERT_EQ(s.rows.size(), 1);
    EXPECT_EQ(s.rows[0][0], "7");
}

TEST_F(SheetReaderTest, HostileOrWrongFilesEndInAMessage) {
    const QByteArray header =
        R"(<row r="1"><c r="A1" t="inlineStr"><is><t>卡号</t></is></c></row>)";
    SheetLimits small;
    small.maxEntryBytes = 64 * 1024;
    small.maxCells = 1000;
    const QByteArray bomb = header + QByteArray(200 * 1024, ' ');
    struct Case {
        const char* what;
        QString file;
        SheetLimits limits;
        QString expected;
    };
    const QList<Case> cases = {
        {"broken zip",
         writeFile("broken.xlsx", QByteArray("PK\x03\x04") + QByteArray(300, 'x')),
         {},
         "已损坏"},
        {"bad xml",
         writeXlsx("badxml.xlsx", header + "<row><c r=\"A2\"><v>1</c></row>"),
         {},
         "已损坏"},
        {"shared string out of range",
         writeXlsx("sst.xlsx", R"(<row><c r="A1" t="s"><v>5</v></c></row>)"),
         {},
         "已损坏"},
        {"no Sheet1",
         writeXlsx("nosheet.xlsx", header, {}, {}, "数据"),
         {},
         "找不到工作表 Sheet1，请确认文件中有名为 Sheet1 的工作表！"},
        {"column beyond XFD",
         writeXlsx("far.xlsx", header + R"(<row r="2"><c r="XFE2"><v>1</v></c></row>)"),
         {},
         "超出范围"},
        {"row beyond the last",
         writeXlsx("deep.xlsx", header + R"(<row r="1048577"><c r="A1048577"><v>1</v></c></row>)"),
         {},
         "超出范围"},
        {"far corner makes a huge table",
         writeXlsx("corner.xlsx",
                   header + R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)"),
         {},
         "数据过多"},
        {"part inflating beyond the bound", writeXlsx("bomb.xlsx", bomb), small, "过大"},
        {"missing file", path("nothere.xlsx"), {}, "无法打开文件"},
        {"binary that is no spreadsheet",
         writeFile("x.xls", QByteArray("\x7f"
                                       "ELF\0\0\0\0",
                                       8)),
         {},
         "已损坏"},
        {"ole2 that is no workbook",
         writeFile("ole.xls", QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(600, '\0')),
         {},
         "已损坏"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(failureOf(c.file, c.limits).contains(c.expected))
            << c.what << ": " << failureOf(c.file, c.limits).toStdString();
    }
    EXPECT_TRUE(failureOf(path("nothere.xlsx")).contains("nothere.xlsx"));
}

TEST_F(SheetReaderTest, XlsFixtureReadsSheet1) {
    const Sheet s = readSheet(QString(FLORIST_SOURCE_DIR) + "/tests/fixtures/partners.xls");
    EXPECT_EQ(s.headings, QStringList({"单位分类", "单位名称", "联系人", "电话号码", "手机号码",
                                       "应收金额", "开户日期"}));
    ASSERT_EQ(s.rows.size(), 2);
    EXPECT_EQ(s.rows[0], QStringList({"客户", "青禾花艺", "王小明", "0571-88886666", "13800138000",
                                      "12.5", "2026-05-03"}));
    EXPECT_EQ(s.rows[1], QStringList({"供应商", "花田\"鲜切\"", "", "", "", "0", ""}));
}

TEST_F(SheetReaderTest, CsvInGbkOrUtf8WithQuotedFields) {
    const QString text = "卡号,姓名,备注\r\n0012,\"王,五\",\"说\"\"好\"\"\n第二行\"\r\n"
                         "13800138000,赵六,\r\n,,\r\n";
    const QByteArray utf8Bom = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    for (const QByteArray& bytes : {toGbk(text), text.toUtf8(), utf8Bom}) {
        const Sheet s = readCsv(bytes);
        EXPECT_EQ(s.headings, QStringList({"卡号", "姓名", "备注"}));
        ASSERT_EQ(s.rows.size(), 2);
        EXPECT_EQ(s.rows[0], QStringList({"0012", "王,五", "说\"好\"\n第二行"}));
        EXPECT_EQ(s.rows[1], QStringList({"13800138000", "赵六", ""}));
    }
    const Sheet fromFile = readSheet(writeFile("members.csv", toGbk(text)));
    EXPECT_EQ(fromFile.rows.size(), 2);
}

} // namespace
} // namespace florist
