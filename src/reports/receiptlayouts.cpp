#include "reports/receiptlayouts.h"

namespace florist::reports {

namespace {

enum class Column { Left, Right, Full };

// One box of a receipt's body: all are 12 px, vertically centred, 5 mm high.
struct BodyBox {
    double top;
    Column column;
    const char* content;
    bool twoDecimals = false;
};

constexpr double kPaperWidth = 76;
constexpr double kColumnWidth = 65;
// The boxes' 65 mm column sits in the middle of the 76 mm paper (5.5 mm on either side) rather
// than against its left edge: a roll printer's head is centred on the paper and does not reach
// its edges, even where its driver reports no unprintable margins, so a column starting at 0
// lost the first character of every left-hand label. The right margin stays 3 mm.
constexpr double kLeftMargin = (kPaperWidth - kColumnWidth) / 2;
constexpr double kBoxHeight = 5;
constexpr double kBodyPx = 12;
constexpr double kHeadingPx = 16;

QRectF columnRect(Column column, double top) {
    switch (column) {
    case Column::Left:
        return {0, top, 30, kBoxHeight};
    case Column::Right:
        return {30, top, 35, kBoxHeight};
    case Column::Full:
        break;
    }
    return {0, top, kColumnWidth, kBoxHeight};
}

TextBox box(const QRectF& rect, const QString& content, double px, HAlign h, VAlign v,
            bool twoDecimals = false) {
    TextBox b;
    b.rectMm = rect;
    b.content = content;
    b.fontPx = px;
    b.hAlign = h;
    b.vAlign = v;
    b.twoDecimals = twoDecimals;
    return b;
}

// The frame every receipt shares: heading, body boxes, then the shop's four footer lines from
// footerTop on, 5 mm apart.
PageLayout receipt(const QString& name, double paperHeight, double footerTop,
                   std::initializer_list<BodyBox> body) {
    PageLayout layout;
    layout.name = name;
    layout.paperMm = QSizeF(kPaperWidth, paperHeight);
    layout.marginsMm = QMarginsF(kLeftMargin, 5, 3, 3);
    layout.boxes << box(columnRect(Column::Full, 0),
                        R"([frxDB_Dept."theName"][frxDB_DJ."theName"])", kHeadingPx, HAlign::Center,
                        VAlign::Center);
    for (const BodyBox& b : body) {
        layout.boxes << box(columnRect(b.column, b.top), QString::fromUtf8(b.content), kBodyPx,
                            HAlign::Left, VAlign::Center, b.twoDecimals);
    }
    const double f = footerTop;
    layout.boxes << box(columnRect(Column::Full, f), R"(电话：[frxDB_Dept."thePhone"])", kBodyPx,
                        HAlign::Left, VAlign::Center)
                 << box(columnRect(Column::Full, f + 5), R"(地址：[frxDB_Dept."theAddress"])",
                        kBodyPx, HAlign::Left, VAlign::Center)
                 << box(columnRect(Column::Full, f + 10), R"([frxDB_Dept."Remark"])", kBodyPx,
                        HAlign::Center, VAlign::Top)
                 << box(columnRect(Column::Full, f + 15), R"([frxDB_Dept."theGG"])", kBodyPx,
                        HAlign::Center, VAlign::Top);
    return layout;
}

constexpr bool kTwo = true;

} // namespace

PageLayout orderReceiptLayout() {
    using enum Column;
    return receipt("订单小票", 85, 55,
                   {
                       {10, Left, R"(日期：[frxDB_DD."myDate"])"},
                       {10, Right, R"(单号：[frxDB_DD."theNum"])"},
                       {15, Left, R"([frxDB_DD."theType"]：[frxDB_DD."AName"][frxDB_DD."MNum"])"},
                       {15, Right, R"(门店：[frxDB_DD."WName"])"},
                       {20, Left, R"(品名：[frxDB_DD."theHX"])"},
                       {20, Right, R"(单价：[frxDB_DD."M1"])", kTwo},
                       {25, Left, R"(折扣：[frxDB_DD."M2"])"},
                       {25, Right, R"(折后：[frxDB_DD."M3"])", kTwo},
                       {30, Left, R"(速递费：[frxDB_DD."M4"])", kTwo},
                       {30, Right, R"(代金券：[frxDB_DD."M5"])", kTwo},
                       {35, Left, R"(合计：[frxDB_DD."M6"])", kTwo},
                       {35, Right, R"(收款：[frxDB_DD."M7"])", kTwo},
                       {40, Left, R"(应收：[frxDB_DD."M8"])", kTwo},
                       {40, Right, R"(收款方式：[frxDB_DD."MType"])"},
                       {45, Full, R"(大写：[frxDB_DD."theDX"])"},
                       {50, Left, R"(接待人：[frxDB_DD."theJDR"])"},
                       {50, Right, R"(花艺师：[frxDB_DD."theHYS"])"},
                   });
}

PageLayout topUpReceiptLayout() {
    using enum Column;
    return receipt("储值小票", 65, 35,
                   {
                       {10, Left, R"(日期：[frxDB_CZ."myDate"])"},
                       {10, Right, R"(单号：[frxDB_CZ."theNum"])"},
                       {15, Left, R"(卡号：[frxDB_CZ."MNum"])"},
                       {15, Right, R"(门店：[frxDB_CZ."WName"])"},
                       {20, Left, R"(储值：[frxDB_CZ."M1"])", kTwo},
                       {20, Right, R"(赠送：[frxDB_CZ."M2"])", kTwo},
                       {25, Full, R"(大写：[frxDB_CZ."theDX"])"},
                       {30, Left, R"(接待人：[frxDB_CZ."theSKR"])"},
                       {30, Right, R"(收款方式：[frxDB_CZ."MType"])"},
                   });
}

PageLayout exchangeReceiptLayout() {
    using enum Column;
    return receipt("兑换小票", 60, 30,
                   {
                       {10, Left, R"(日期：[frxDB_DH."myDate"])"},
                       {10, Right, R"(单号：[frxDB_DH."theNum"])"},
                       {15, Left, R"(卡号：[frxDB_DH."MNum"])"},
                       {15, Right, R"(门店：[frxDB_DH."WName"])"},
                       {20, Left, R"(礼品：[frxDB_DH."GName"])"},
                       {20, Right, R"(所需积分：[frxDB_DH."thePrice"])", kTwo},
                       {25, Left, R"(兑换数量：[frxDB_DH."theCount"])", kTwo},
                       {25, Right, R"(接待人：[frxDB_DH."theJDR"])"},
                   });
}

} // namespace florist::reports
