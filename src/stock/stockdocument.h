#pragma once

#include "core/db/resultset.h"

#include <QList>
#include <QString>
#include <QVariantMap>

namespace florist {
class DataModule;
class Database;
} // namespace florist

namespace florist::stock {

// The four stock documents: a purchase brings stock in as new lots, the other three take it
// out of the lots of one store.
enum class DocumentKind { Purchase, Requisition, Damage, Sale };

// What tells one document from another, as data; one window serves all four.
struct DocumentConfig {
    DocumentKind kind;
    QString window;       // frmUJH_In
    QString caption;      // 花材采购录入
    QString header;       // UCG
    QString lineTable;    // UCG_List
    QString prefix;       // CG
    QString personColumn; // theFKR, theLYR, theBSR, theSKR
    QString subject;      // the saved message: 花材采购
    QString findMode;     // JH, LY, BS, XS
    bool hasPartner = false;
    QString partnerWord;   // 供应商 / 客户: the empty-partner message and the partner's type
    QString excludedType;  // the partner type the search leaves out
    QString balanceColumn; // theYF (purchase) / theYS (sale)
    // The catalogue price each line overwrites: theCG (purchase), theXS (sale), none.
    QString catalogPriceColumn;
    bool takesLots = false;
    bool priceEditable = false;
    // Captions of the window.
    QString firstGroup;     // 供应商信息, 领用信息, 报损信息, 客户信息
    QString dateCaption;    // 采购日期：
    QString partnerCaption; // 供  应  商：
    QString personCaption;  // 付  款  人：
    QString moneyGroup;     // 付款信息 (purchase, sale)
    QString paidCaption;    // 付款金额：
    QString owingCaption;   // 应付金额：
    QString methodCaption;  // 付款方式：
    // The lot search's price column: "thePrice AS 采购单价" or "theXS AS 销售单价".
    QString lotPriceField;
    QString lotPriceHeading;
};

const DocumentConfig& documentConfig(DocumentKind kind);
const QList<DocumentKind>& allDocumentKinds();

// Lines 1 to 99 of a document's grid.
constexpr int kLineCount = 99;
// A line remark holds at most this many bytes (the cell stops there, the save checks again).
constexpr int kLineRemarkBytes = 100;

// One line of the grid. A line counts only once it holds a material; outgoing lines also hold
// the lot and the lot's quantity as it was when the lot was picked.
struct DocumentLine {
    qlonglong materialId = 0;
    qlonglong lotId = 0;
    double lotQuantity = 0;
    QString materialNumber;
    QString materialName;
    QString unit;
    QString quantity; // as typed
    QString price;    // as typed
    QString remark;
    bool filled() const { return materialId != 0; }
};

// A line filled from the material picked (purchase: its purchase price) or from a row of the
// lot search (the others, read by the headings: the row's price column); quantity "1".
DocumentLine lineFromMaterial(qlonglong id, const QString& number, const QString& name,
                              const QString& unit, double purchasePrice);
DocumentLine lineFromLot(DocumentKind kind, const QVariantMap& row);

// Quantity × price, an empty value counting as 0, and the amount as the grid shows it (up to
// 15 significant digits, no fixed decimals).
double lineAmount(const DocumentLine& line);
QString amountText(double amount);

struct DocumentTotals {
    double quantity = 0;
    double amount = 0;
};
DocumentTotals documentTotals(const QList<DocumentLine>& lines);

// What the window holds when "保存" is pressed.
struct StockDocument {
    DocumentKind kind = DocumentKind::Purchase;
    QString date; // 'yyyy-mm-dd'
    qlonglong partnerId = 0;
    QString store;
    QString paymentMethod;
    QString person;
    QString preparer;
    QString remark;
    QString paid; // paid (purchase) or collected (sale) now, as typed
    QList<DocumentLine> lines;
};

// Where a refused save puts the cursor.
enum class DocumentFocus { None, Partner, Grid, Quantity, Price, LineRemark, Paid, Remark };

struct DocumentSaveResult {
    bool done = false;
    QString message;
    DocumentFocus focus = DocumentFocus::None;
    int line = -1; // index into lines for Quantity, Price and LineRemark
    QString number;
};

// Checks the document in its fixed order and saves it in one transaction: the number, then per
// line its insert, its lot (created, or taken off guarded on the fresh quantity) and the
// catalogue price, then the partner's balance, then the header. A lot another station emptied
// meanwhile refuses the save with the line's "库存不足" message; nothing is written then.
// Database failures reach the caller.
DocumentSaveResult saveDocument(DataModule& dm, const StockDocument& doc);

// The outgoing documents' lot search: lots above 0 of one store whose material's name,
// initials or number holds text, leaving out the lots already on the document's lines.
ResultSet lotSearch(Database& db, DocumentKind kind, const QString& store,
                    const QList<qlonglong>& excludedLots, const QString& text);

} // namespace florist::stock
