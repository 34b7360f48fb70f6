#include "core/spreadsheet/sheetreader.h"
#include "xlstestutil.h"
#include "ziptestutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist {
namespace {

using namespace test;

// Damaged, cut-short and hostile files, each made here by hand: opening one ends in a message
// at worst, and the test process (the program) goes on.
class SheetSafetyTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString xls(const QString& name, const XlsBook& book) {
        return file(name, compoundFile(book.stream()));
    }
    QString xlsx(const QString& name, const QByteArray& sheetData) {
        const QString p = dir_.filePath(name);
        EXPECT_TRUE(writeZip(p, xlsxParts(sheetData)));
        return p;
    }
    static QString outcome(const QString& path, const SheetLimits& limits = {}) {
        try {
            const Sheet s = readSheet(path, limits);
            return QString("read %1 rows").arg(s.rows.size());
        } catch (const Failure& f) {
            return f.text();
        }
    }

    QTemporaryDir dir_;
};

XlsBook sheet1(const QByteArray& cells) {
    XlsBook book;
    book.sheets = {{"Sheet1", label(0, 0, "卡号") + cells}};
    return book;
}

TEST_F(SheetSafetyTest, HostileFilesEndInAMessage) {
    const QString damaged = "文件已损坏或不是EXCEL文件";
    // A label claiming 65535 UTF-16 characters with two bytes of text.
    const QByteArray longLabel =
        record(0x0204, cellHead(1, 0, 15) + le16(0xFFFF) + QByteArray(1, char(0x01)) + "ab");
    XlsBook cutShort = sheet1(number(1, 0, 1));
    QByteArray cut = cutShort.stream();
    cut.chop(4); // the sheet's EOF
    QByteArray loopedFat = compoundFile(sheet1({}).stream());
    qToLittleEndian<quint32>(2, loopedFat.data() + 512 + 4 * 2); // the stream's chain loops
    QByteArray badSector = compoundFile(sheet1({}).stream());
    qToLittleEndian<quint32>(0x7FFFFFF0, badSector.data() + 0x4C); // a FAT far beyond the file
    XlsBook encrypted = sheet1({});
    encrypted.globals = record(0x002F, le16(1) + QByteArray(52, '\0'));
    XlsBook noSheet1;
    noSheet1.sheets = {{"数据", label(0, 0, "卡号")}};
    const QByteArray header =
        R"(<row r="1"><c r="A1" t="inlineStr"><is><t>卡号</t></is></c></row>)";
    const QByteArray deep = QByteArray("<x>").repeated(1'000'000);
    SheetLimits small;
    small.maxMemoryBytes = 120 * 1024 * 1024;
    struct Case {
        const char* what;
        QString path;
        SheetLimits limits;
        QString expected;
    };
    const QList<Case> cases = {
        {"xls label longer than its record", xls("label.xls", sheet1(longLabel)), {}, damaged},
        {"xls cut short", file("cut.xls", compoundFile(cut)), {}, damaged},
        {"xls sector chain in a loop", file("loop.xls", loopedFat), {}, damaged},
        {"xls sector beyond the file", file("sector.xls", badSector), {}, damaged},
        {"xls with a password", xls("password.xls", encrypted), {}, "设有密码"},
        {"xlsx with a password",
         file("password.xlsx", compoundFile(QByteArray(64, 'e'), "EncryptedPackage")),
         {},
         "设有密码"},
        {"xls without Sheet1", xls("nosheet.xls", noSheet1), {}, "找不到工作表 Sheet1"},
        {"xlsx nested a million deep", xlsx("deep.xlsx", header + deep), {}, damaged},
        {"xlsx row 0",
         xlsx("row0.xlsx", header + R"(<row r="0"><c><v>1</v></c></row>)"),
         {},
         damaged},
        {"xlsx negative row",
         xlsx("rowneg.xlsx", header + R"(<row r="-3"><c><v>1</v></c></row>)"),
         {},
         damaged},
        {"xlsx row that is no number",
         xlsx("rowtext.xlsx", header + R"(<row r="2x"><c><v>1</v></c></row>)"),
         {},
         damaged},
        {"xlsx row beyond every sheet",
         xlsx("rowhuge.xlsx", header + R"(<row r="99999999999999999999"><c><v>1</v></c></row>)"),
         {},
         "超出范围"},
        {"csv with an unterminated quote",
         file("quote.csv", "卡号,姓名\r\n1,\"王五\r\n2,赵六\r\n"),
         {},
         "CSV文件第 2 行的引号没有结束，文件已损坏，无法读取！"},
        {"a file larger than the helper's memory",
         file("huge.csv", "卡号\n" + QByteArray(60 * 1024 * 1024, 'a')), small, "过大"},
    };
    for (const Case& c : cases) {
        const QString got = outcome(c.path, c.limits);
        EXPECT_TRUE(got.contains(c.expected)) << c.what << ": " << got.toStdString();
    }
}

// Records that only claim sizes (dimensions of sheets, a second DIMENSIONS record with the
// largest range) size nothing: the cells there are read, and nothing more.
TEST_F(SheetSafetyTest, DeclaredSizesAreNotBelieved) {
    XlsBook book;
    for (int i = 0; i < 20; ++i) {
        book.sheets << qMakePair(QString("表%1").arg(i), dimensions(65536, 256));
    }
    book.sheets << qMakePair(QString("Sheet1"), dimensions(2, 1) + label(0, 0, "卡号") +
                                                    dimensions(0xFFFFFFFF, 0xFFFF) +
                                                    number(1, 0, 8));
    const Sheet s = readSheet(xls("declared.xls", book));
    EXPECT_EQ(s.headings, QStringList({"卡号"}));
    EXPECT_EQ(s.rows, QList<QStringList>({{"8"}}));
}

// The helper process is what makes a crash harmless: a reader that dies (here a stand-in that
// aborts) gives the damaged-file message, and this process goes on.
TEST_F(SheetSafetyTest, CrashingHelperGivesTheDamagedFileMessage) {
    const QString path = xls("any.xls", sheet1({}));
    setSheetHelperProgram(FLORIST_CRASHING_HELPER);
    const QString got = outcome(path);
    setSheetHelperProgram({});
    EXPECT_EQ(got, damagedFileText(path));
    EXPECT_EQ(outcome(path), "read 0 rows");
}

// A reading can be cancelled while it waits; a limit of time stops it with the message.
TEST_F(SheetSafetyTest, WaitIsToldAndCanCancel) {
    const QString path = xls("any.xls", sheet1(number(1, 0, 1)));
    int told = 0;
    EXPECT_FALSE(readSheet(path, {}, [&](int) { return ++told < 1; }).has_value());
    EXPECT_EQ(told, 1);
    told = 0;
    const auto read = readSheet(path, {}, [&](int permille) {
        ++told;
        return permille <= 1000;
    });
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->rows.size(), 1);
    EXPECT_GE(told, 1);
    SheetLimits noTime;
    noTime.maxSeconds = -1;
    EXPECT_EQ(outcome(path, noTime), damagedFileText(path));
}

} // namespace
} // namespace florist
