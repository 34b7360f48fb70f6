#include "core/spreadsheet/sheetreader.h"
#include "core/spreadsheet/xlsxexport.h"
#include "ziptestutil.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>

namespace florist {
namespace {

ExportSpec partnersSpec() {
    ExportSpec spec;
    spec.titleWord = "往来单位表";
    spec.lastColumn = "F";
    spec.headings = {"单位名称", "电话号码", "手机号码", "应收金额", "应付金额"};
    spec.textColumns = {"电话号码", "手机号码"};
    spec.totals = {{"应收金额", "s1"}, {"应付金额", "s2"}};
    return spec;
}

class XlsxExportTest : public ::testing::Test {
protected:
    QString write(const ExportSpec& spec, const ExportTable& table) {
        const QString p = dir_.filePath("out.xlsx");
        writeXlsx(p, "青禾花店", spec, table);
        return p;
    }
    static QByteArray sheetXml(const QString& p) {
        return test::readZipPart(p, "xl/worksheets/sheet1.xml");
    }

    QTemporaryDir dir_;
};

// An empty list still gives the title, the headings and the totals line, bordered A2:F3.
TEST_F(XlsxExportTest, EmptyListKeepsTitleHeadingsAndTotalsLine) {
    ExportSpec spec = partnersSpec();
    ExportTable table;
    table.totalsLine = {"", "", "", "", ""};
    const QString p = write(spec, table);

    const Sheet s = readSheet(p); // row 1 (the title) reads as the headings
    EXPECT_EQ(s.headings.first(), "青禾花店往来单位表");
    ASSERT_EQ(s.rows.size(), 2);
    EXPECT_EQ(s.rows[0],
              QStringList({"序号", "单位名称", "电话号码", "手机号码", "应收金额", "应付金额"}));
    EXPECT_EQ(s.rows[1][0], "合计");

    const QString xml = QString::fromUtf8(sheetXml(p));
    EXPECT_TRUE(xml.contains(R"(<mergeCell ref="A1:F1"/>)")) << xml.toStdString();
    EXPECT_TRUE(xml.contains(R"(<col min="1" max="1" width="4.7109375")")) << "column A width 4";
    EXPECT_TRUE(xml.contains("<oddFooter>&amp;C共&amp;N页，第&amp;P页</oddFooter>"));
    EXPECT_TRUE(xml.contains(R"(orientation="landscape")"));
    // Every cell of A2:F3 carries a style, and those styles have borders and 9 point fonts.
    for (const QString ref : {"A2", "F2", "A3", "B3", "F3"}) {
        EXPECT_TRUE(
            QRegularExpression(QString(R"(<c r="%1" s="[1-9])").arg(ref)).match(xml).hasMatch())
            << ref.toStdString();
    }
    EXPECT_FALSE(xml.contains(R"(<c r="A4")"));
    const QString styles = QString::fromUtf8(test::readZipPart(p, "xl/styles.xml"));
    EXPECT_TRUE(styles.contains(R"(<sz val="16"/>)") && styles.contains(R"(<name val="宋体"/>)"));
    EXPECT_TRUE(styles.contains(R"(<sz val="9"/>)"));
    EXPECT_TRUE(styles.contains(R"(<left style="thin">)") &&
                styles.contains(R"(<bottom style="thin">)"));
    const QString core = QString::fromUtf8(test::readZipPart(p, "docProps/core.xml"));
    EXPECT_TRUE(core.contains("青禾花店往来单位表"));
}

// Text columns stay text; other numbers become numbers; totals land in their own columns.
TEST_F(XlsxExportTest, RowsTextColumnsAndTotals) {
    ExportSpec spec = partnersSpec();
    spec.landscape = false;
    ExportTable table;
    table.rows = {{"花田", "0571-8888", "13800138000", "12.5", "0012"},
                  {"青禾", "", "00123", "3", "1234567890123456"}};
    table.totalsLine = {"", "", "", "15.5", "0"};
    const QString p = write(spec, table);

    const Sheet s = readSheet(p);
    ASSERT_EQ(s.rows.size(), 4);
    EXPECT_EQ(s.rows[1], QStringList({"1", "花田", "0571-8888", "13800138000", "12.5", "0012"}));
    EXPECT_EQ(s.rows[2], QStringList({"2", "青禾", "", "00123", "3", "1234567890123456"}));
    EXPECT_EQ(s.rows[3], QStringList({"合计", "", "", "", "15.5", "0"}));

    const QString xml = QString::fromUtf8(sheetXml(p));
    auto cell = [&](const QString& ref) {
        const auto m = QRegularExpression(QString(R"(<c r="%1"[^>]*>.*?</c>)").arg(ref)).match(xml);
        return m.captured(0);
    };
    EXPECT_TRUE(cell("A3").contains(R"(t="inlineStr")")) << "running number as text";
    EXPECT_TRUE(cell("D3").contains(R"(t="inlineStr")")) << "phone number stays text";
    EXPECT_TRUE(cell("D4").contains(R"(t="inlineStr")"));
    EXPECT_FALSE(cell("E3").contains("t=")) << "a number elsewhere is a number cell";
    EXPECT_TRUE(cell("F3").contains(R"(t="inlineStr")")) << "leading zeros would be lost";
    EXPECT_TRUE(cell("F4").contains(R"(t="inlineStr")")) << "16 digits would be rounded";
    EXPECT_FALSE(cell("E5").contains("t="));
    EXPECT_FALSE(xml.contains("landscape"));
}

// Whatever a remark holds, the sheet stays well-formed and reads back exactly as written: the
// characters XML cannot carry and a literal "_x0041_" go through the format's own escape.
TEST_F(XlsxExportTest, AwkwardTextStaysReadable) {
    ExportSpec spec;
    spec.titleWord = "<备注> & \"表\"";
    spec.headings = {"备注"};
    const struct {
        QString written, readBack;
    } cases[] = {
        {"玫瑰 & <百合> \"红\" 'a'", "玫瑰 & <百合> \"红\" 'a'"},
        {"]]>", "]]>"},
        {QString("a") + QChar(0x01) + QChar(0x1F) + "b",
         QString("a") + QChar(0x01) + QChar(0x1F) + "b"},
        {QString("x") + QChar(0xFFFF) + QChar(0xFFFE) + "y",
         QString("x") + QChar(0xFFFF) + QChar(0xFFFE) + "y"},
        {"_x0041_", "_x0041_"},
        {"_x005F_x0041_ _x41_ _X0041_ __x0041__", "_x005F_x0041_ _x41_ _X0041_ __x0041__"},
        {"行1\r\n行2\t列", "行1\r\n行2\t列"},
        {"  前后空格  ", "  前后空格  "},
        {"😀花", "😀花"},
    };
    ExportTable table;
    for (const auto& c : cases) {
        table.rows << QStringList{c.written};
    }
    const QString p = write(spec, table);

    for (const QString part : {"xl/worksheets/sheet1.xml", "docProps/core.xml"}) {
        QXmlStreamReader xml(test::readZipPart(p, part));
        while (!xml.atEnd()) {
            xml.readNext();
        }
        EXPECT_FALSE(xml.hasError())
            << part.toStdString() << ": " << xml.errorString().toStdString();
    }
    const Sheet s = readSheet(p);
    EXPECT_EQ(s.headings.first(), "青禾花店<备注> & \"表\"");
    ASSERT_EQ(s.rows.size(), qsizetype(std::size(cases)) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(s.rows[qsizetype(i) + 1].value(1), cases[i].readBack) << i;
    }
}

// Headings are cut like cells, at the 32 767 characters a cell holds, never inside a
// character written as a surrogate pair.
TEST_F(XlsxExportTest, LongTextIsCutWithoutSplittingACharacter) {
    ExportSpec spec;
    const QString emoji = "😀";
    const QString heading = QString(32766, 'h') + emoji;
    spec.headings = {heading};
    ExportTable table;
    table.rows << QStringList{QString(32766, 'c') + emoji + "tail"};
    const Sheet s = readSheet(write(spec, table));
    EXPECT_EQ(s.rows[0].value(1), QString(32766, 'h'));
    EXPECT_EQ(s.rows[1].value(1), QString(32766, 'c'));
}

// The export prints readably: A4 in the layout's orientation, one page wide, title and
// headings on every page, a title row tall enough for its 16-point title, and columns as wide
// as their widest text (column A keeps its width 4).
TEST_F(XlsxExportTest, PrintSetUp) {
    ExportTable table;
    table.rows = {{"青禾花艺有限公司", "0571-88886666", "13800138000", "12.5", "0"}};
    table.totalsLine = {"", "", "", "12.5", "0"};
    for (const bool landscape : {true, false}) {
        ExportSpec spec = partnersSpec();
        spec.landscape = landscape;
        const QString p = write(spec, table);
        const QString xml = QString::fromUtf8(sheetXml(p));
        const QString orientation = landscape ? "landscape" : "portrait";
        EXPECT_TRUE(xml.contains(
            QString(R"(<pageSetup paperSize="9" orientation="%1" fitToWidth="1" fitToHeight="0"/>)")
                .arg(orientation)))
            << xml.toStdString();
        EXPECT_TRUE(xml.contains(R"(<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr>)"));
        EXPECT_TRUE(xml.contains(R"(<row r="1" ht="24" customHeight="1">)"));
        const QString workbook = QString::fromUtf8(test::readZipPart(p, "xl/workbook.xml"));
        EXPECT_TRUE(workbook.contains(
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="0">Sheet1!$1:$2</definedName>)"));
        const auto width = [&](int column) {
            const auto m =
                QRegularExpression(
                    QString(R"re(<col min="%1" max="%1" width="([0-9.]+)")re").arg(column))
                    .match(xml);
            return m.hasMatch() ? m.captured(1).toDouble() - 0.7109375 : 0.0;
        };
        EXPECT_EQ(width(1), 4);
        EXPECT_GE(width(2), 15) << "eight Chinese characters in 9 points";
        EXPECT_GE(width(4), 11) << "an 11-digit mobile number";
        EXPECT_LE(width(4), 14);
        EXPECT_LT(width(5), width(2)) << "a short heading over short numbers";
    }
}

// A total from the database carries the noise of binary addition; it is rounded to the
// decimals of the values it adds up, cents at least.
TEST_F(XlsxExportTest, TotalsAreRoundedToWhatTheyAddUp) {
    ExportSpec spec;
    spec.headings = {"金额", "数量"};
    spec.totals = {{"金额", "s1"}, {"数量", "s2"}};
    const ResultSet rows({"金额", "数量"}, {{"28000.86", "1.5"}, {"28000.856", "2"}});
    const ResultSet totals({"s1", "s2"}, {{56001.7160000001, 3.4999999999}});
    EXPECT_EQ(exportTable(spec, rows, totals).totalsLine, QStringList({"56001.716", "3.5"}));
    const ResultSet cents({"金额", "数量"}, {{"0.1", "1"}, {"0.2", "1"}});
    const ResultSet sum({"s1", "s2"}, {{0.30000000000000004, "两件"}});
    EXPECT_EQ(exportTable(spec, cents, sum).totalsLine, QStringList({"0.3", "两件"}));
    const ResultSet broken({"s1", "s2"}, {{std::nan(""), "inf"}});
    EXPECT_EQ(exportTable(spec, cents, broken).totalsLine, QStringList({"", ""}))
        << "never nan or inf on paper";
}

TEST_F(XlsxExportTest, ResultSetRowsAreTakenByField) {
    ExportSpec spec = partnersSpec();
    spec.fields = {"theName", "", "", "theYS", "theYF"};
    const ResultSet rows({"ID", "theName", "电话号码", "手机号码", "theYS", "theYF"},
                         {{1, "花田", "0571", "138", 12.5, 0.0}});
    const ResultSet totals({"s1", "s2"}, {{12.5, QVariant()}});
    const ExportTable table = exportTable(spec, rows, totals);
    EXPECT_EQ(table.rows, QList<QStringList>({{"花田", "0571", "138", "12.5", "0"}}));
    EXPECT_EQ(table.totalsLine, QStringList({"", "", "", "12.5", ""}));
}

TEST_F(XlsxExportTest, UnwritablePathNamesTheFile) {
    const QString p = dir_.filePath("no/such/folder/out.xlsx");
    try {
        writeXlsx(p, "青禾花店", partnersSpec(), {});
        FAIL() << "writing into a missing folder must fail";
    } catch (const Failure& f) {
        EXPECT_TRUE(f.text().startsWith("无法创建Xls文件，请确认是否安装EXCEL"));
        EXPECT_TRUE(f.text().contains("out.xlsx"));
    }
}

TEST(ExportHelpers, ColumnsAndPlainNumbers) {
    EXPECT_EQ(columnLetters(1), "A");
    EXPECT_EQ(columnLetters(41), "AO");
    EXPECT_EQ(columnNumber("AO"), 41);
    ExportSpec spec;
    spec.headings = {"a", "b"};
    EXPECT_EQ(spec.usedLastColumn(), "C");
    for (const char* yes : {"0", "12.5", "-3", "0.001", "123456789012345"}) {
        EXPECT_TRUE(isPlainNumber(yes)) << yes;
    }
    for (const char* no : {"", "0012", "1.", ".5", "1e5", "12a", "1,000", "2026-05-03",
                           "1234567890123456", "+1", " 1"}) {
        EXPECT_FALSE(isPlainNumber(no)) << no;
    }
}

} // namespace
} // namespace florist
