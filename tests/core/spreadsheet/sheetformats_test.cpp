#include "core/spreadsheet/sheetreader.h"
#include "core/text/gbk.h"
#include "xlstestutil.h"
#include "ziptestutil.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist {
namespace {

using namespace test;

// Files as the spreadsheet programs write them read as those programs show them.
class SheetFormatsTest : public ::testing::Test {
protected:
    QString xls(const XlsBook& book) {
        const QString p = dir_.filePath(QString("book%1.xls").arg(++files_));
        EXPECT_TRUE(writeXls(p, book));
        return p;
    }
    QString xlsx(const QByteArray& data, const QByteArray& styles) {
        const QString p = dir_.filePath(QString("book%1.xlsx").arg(++files_));
        EXPECT_TRUE(writeZip(p, xlsxParts(data, {}, styles)));
        return p;
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

// The xls stores the last result of every formula: numbers, text (in the STRING record that
// follows), booleans (LibreOffice writes TRUE as =TRUE()) and errors.
TEST_F(SheetFormatsTest, XlsFormulaCellsGiveTheirStoredResult) {
    XlsBook book;
    book.sheets = {{"Sheet1", label(0, 0, "积分") + label(0, 1, "姓名") + label(0, 2, "是否") +
                                  label(0, 3, "比例") + formula(1, 0, formulaNumber(12.5)) +
                                  formula(1, 1, formulaOther(0)) +
                                  record(0x04BC, QByteArray(12, '\0')) + stringResult("王五") +
                                  formula(1, 2, formulaOther(1, 1)) +
                                  formula(1, 3, formulaOther(2, 0x07))}};
    const Sheet s = readSheet(xls(book));
    EXPECT_EQ(s.rows, QList<QStringList>({{"12.5", "王五", "TRUE", "#DIV/0!"}}));
}

// Number formats: the East-Asian built-in dates (ids 27-36, 50-58, stored without their code)
// read as dates, a code of zeros pads, every other format keeps the plain value.
TEST_F(SheetFormatsTest, NumberFormatsInXlsAndXlsx) {
    struct Format {
        int id;
        const char* code; // "" for a built-in format
        double value;
        const char* text;
    };
    const Format formats[] = {
        {31, "", 43466, "2019-01-01"},
        {57, "", 43466, "2019-01-01"},
        {27, "", 43466, "2019-01-01"},
        {14, "", 43466.5, "2019-01-01 12:00:00"},
        {164, "000000", 123, "000123"},
        {165, "00000000000", 13800138000, "13800138000"},
        {166, "0000;-0000", -12, "-0012"},
        {2, "", 1.1, "1.1"},
        {10, "", 0.5, "0.5"},
        {167, "0.00_);[Red](0.00)", 3, "3"},
        {168, "yyyy\"年\"m\"月\"d\"日\"", 43466, "2019-01-01"},
    };
    XlsBook book;
    QByteArray cells;
    QByteArray numFmts;
    QByteArray cellXfs = R"(<xf numFmtId="0"/>)";
    QByteArray headings;
    QByteArray values;
    QStringList expected;
    for (int i = 0; i < int(std::size(formats)); ++i) {
        const Format& f = formats[i];
        if (*f.code) {
            book.globals += format(f.id, QString::fromUtf8(f.code));
            numFmts += QString(R"(<numFmt numFmtId="%1" formatCode="%2"/>)")
                           .arg(f.id)
                           .arg(QString::fromUtf8(f.code).replace('"', "&quot;"))
                           .toUtf8();
        }
        book.globals += xf(f.id);
        cellXfs += QString(R"(<xf numFmtId="%1"/>)").arg(f.id).toUtf8();
        cells += label(0, i, QString("列%1").arg(i)) + number(1, i, f.value, 16 + i);
        headings += QString(R"(<c t="inlineStr"><is><t>列%1</t></is></c>)").arg(i).toUtf8();
        values +=
            QString(R"(<c s="%1"><v>%2</v></c>)").arg(i + 1).arg(f.value, 0, 'g', 17).toUtf8();
        expected << f.text;
    }
    book.sheets = {{"Sheet1", cells}};
    const QByteArray styles =
        "<numFmts>" + numFmts + "</numFmts><cellXfs>" + cellXfs + "</cellXfs>";
    const QByteArray data = "<row>" + headings + "</row><row>" + values + "</row>";
    for (const QString& path : {xls(book), xlsx(data, styles)}) {
        const Sheet s = readSheet(path);
        ASSERT_EQ(s.rows.size(), 1) << path.toStdString();
        for (int i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(s.rows[0].value(i), expected[i])
                << path.toStdString() << " format " << formats[i].id;
        }
    }
}

// Shared strings cross into CONTINUE records, and the characters after the break may change
// from one byte to two.
TEST_F(SheetFormatsTest, XlsSharedStringsAcrossContinueRecords) {
    QByteArray sst = le32(2) + le32(2) + biffString("卡号") + le16(6) + QByteArray(1, '\0') + "ABC";
    QByteArray rest(1, char(0x01));
    for (QChar c : QString("玫瑰花")) {
        rest += le16(c.unicode());
    }
    XlsBook book;
    book.globals = record(0x00FC, sst) + record(0x003C, rest);
    book.sheets = {{"Sheet1", record(0x00FD, cellHead(0, 0, 15) + le32(0)) +
                                  record(0x00FD, cellHead(1, 0, 15) + le32(1))}};
    const Sheet s = readSheet(xls(book));
    EXPECT_EQ(s.headings, QStringList({"卡号"}));
    EXPECT_EQ(s.rows, QList<QStringList>({{"ABC玫瑰花"}}));
}

// An Excel 95 workbook (BIFF5, stream "Book"): 8-bit text in the code page it names.
TEST_F(SheetFormatsTest, Excel95WorkbookInItsCodePage) {
    const auto bytes = [](const QString& text) {
        const QByteArray gbk = toGbk(text);
        return le16(int(gbk.size())) + gbk;
    };
    const auto bof5 = [](int kind) { return record(0x0809, le16(0x0500) + le16(kind) + le32(0)); };
    QByteArray globals = bof5(0x0005) + record(0x0042, le16(936));
    for (int i = 0; i < 16; ++i) {
        globals += xf(0);
    }
    const QByteArray name = toGbk("Sheet1");
    const qsizetype at = globals.size() + 4;
    globals += record(0x0085, le32(0) + QByteArray(2, '\0') + char(name.size()) + name) + eof();
    qToLittleEndian<quint32>(quint32(globals.size()), globals.data() + at);
    const QByteArray sheet = bof5(0x0010) + record(0x0204, cellHead(0, 0, 15) + bytes("姓名")) +
                             record(0x0204, cellHead(1, 0, 15) + bytes("王五")) + eof();
    const QString p = dir_.filePath("excel95.xls");
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(compoundFile(globals + sheet, "Book"));
    f.close();
    const Sheet s = readSheet(p);
    EXPECT_EQ(s.headings, QStringList({"姓名"}));
    EXPECT_EQ(s.rows, QList<QStringList>({{"王五"}}));
}

// csv as the spreadsheets and people save it: the encoding decided on the evidence of the
// whole file, "Unicode text" tab-separated, quotes only around whole fields.
TEST_F(SheetFormatsTest, CsvAsSpreadsheetsSaveIt) {
    const QByteArray gbkLooksUtf8 = toGbk("墨,木\r\n陆,芦\r\n");
    QStringDecoder check(QStringDecoder::Utf8);
    check(gbkLooksUtf8);
    ASSERT_FALSE(check.hasError()) << "the case needs GBK bytes that are valid UTF-8 as well";
    QByteArray utf16("\xFF\xFE");
    for (QChar c : QString("卡号\t姓名,别名\r\n1\t张三\r\n")) {
        utf16 += le16(c.unicode());
    }
    struct Case {
        const char* what;
        QByteArray bytes;
        QStringList headings;
        QStringList first;
    };
    const QList<Case> cases = {
        {"UTF-8 with one Latin-1 byte",
         QByteArray("卡号,姓名,备注\r\n1,张三,caf\xE9\r\n"),
         {"卡号", "姓名", "备注"},
         {"1", "张三", QString("caf") + QChar(0xFFFD)}},
        {"UTF-8 cut inside a character",
         QString("卡号,姓名\r\n1,张三").toUtf8().chopped(1),
         {"卡号", "姓名"},
         {"1", QString("张") + QChar(0xFFFD)}},
        {"GBK that is valid UTF-8", gbkLooksUtf8, {"墨", "木"}, {"陆", "芦"}},
        {"GBK", toGbk("卡号,姓名\r\n1,张三\r\n"), {"卡号", "姓名"}, {"1", "张三"}},
        {"UTF-16 Unicode text", utf16, {"卡号", "姓名,别名"}, {"1", "张三"}},
        {"quote inside an unquoted field",
         QString("卡号,备注\n1,5\"花瓶\n2,好\n").toUtf8(),
         {"卡号", "备注"},
         {"1", "5\"花瓶"}},
    };
    for (const Case& c : cases) {
        const Sheet s = readCsv(c.bytes);
        EXPECT_EQ(s.headings, c.headings) << c.what;
        ASSERT_FALSE(s.rows.isEmpty()) << c.what;
        EXPECT_EQ(s.rows[0], c.first) << c.what;
    }
    EXPECT_EQ(readCsv(QString("卡号,备注\n1,5\"花瓶\n2,好\n").toUtf8()).rows.size(), 2);
}

// Sheets written by LibreOffice and gnumeric (tools/interop/make-fixtures.sh): formula results,
// a zero-padded card number, a Chinese date format, a two-decimal and a percent format, and a
// text that looks like an escape. What the files hold is what is read: LibreOffice's xls filter
// stores 0 as a text formula's result, and gnumeric's xlsx writes the text "_x0041_" without
// escaping it, which the format (and Excel) reads as "A".
TEST_F(SheetFormatsTest, SheetsWrittenByLibreOfficeAndGnumeric) {
    const QString fixtures = QString(FLORIST_SOURCE_DIR) + "/tests/fixtures/";
    const struct {
        const char* file;
        const char* formulaText;
        const char* escapeLike;
    } files[] = {
        {"lo-members.xls", "0", "_x0041_"},
        {"lo-members.xlsx", "花店", "_x0041_"},
        {"gn-members.xls", "花店", "_x0041_"},
        {"gn-members.xlsx", "花店", "A"},
    };
    for (const auto& f : files) {
        const Sheet s = readSheet(fixtures + f.file);
        EXPECT_EQ(s.headings,
                  QStringList({"卡号", "姓名", "生日", "积分", "会员", "余额", "折扣", "备注"}))
            << f.file;
        ASSERT_EQ(s.rows.size(), 2) << f.file;
        EXPECT_EQ(s.rows[0], QStringList({"000123", "王五", "2019-01-01", "12.5", "TRUE", "1.1",
                                          "0.5", f.formulaText}))
            << f.file;
        EXPECT_EQ(s.rows[1], QStringList({"000008", f.escapeLike, "", "0.3", "FALSE", "", "", ""}))
            << f.file;
    }
}

// A date typed as Chinese Excel writes it in a csv is a date where an import expects one.
TEST_F(SheetFormatsTest, CsvDatesWhereADateIsExpected) {
    const Sheet s = readCsv(QString("生日,备注\n2019/1/1,2019/1/1\n2019年12月3日,x\n"
                                    "2019-2-30,\n 2020/02/29 0:00 ,\n")
                                .toUtf8());
    const QStringList dates = {"2019-01-01", "2019-12-03", "2019-2-30", "2020-02-29"};
    for (int i = 0; i < dates.size(); ++i) {
        EXPECT_EQ(SheetRow(s, i).date("生日"), dates[i]) << i;
    }
    EXPECT_EQ(SheetRow(s, 0).text("备注"), "2019/1/1") << "other columns keep the text";
}

} // namespace
} // namespace florist
