#include "core/db/datamodule.h"
#include "partners/partnerpaymentwindow.h"
#include "stock/stockdocumentwindow.h"
#include "stock/stockfixture.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/search/searchwindow.h"

#include <QLineEdit>
#include <QTest>

namespace florist::stock {
namespace {
using test::StockRows;
using Col = DocumentGridWidget::Column;
class Shots : public test::DbTest {};
TEST_P(Shots, Take) {
    if (backend() != Backend::Sqlite)
        GTEST_SKIP();
    ui::Context ctx{dm()};
    registerStockDocumentWindows();
    partners::registerPaymentWindows();
    const qlonglong rose = StockRows::material(db(), "H001", "红玫瑰", 2, 5);
    const qlonglong lily = StockRows::material(db(), "H002", "香水百合", 3.5, 8);
    StockRows::lot(db(), rose, 30, 2);
    StockRows::lot(db(), lily, 12, 3.5);
    StockRows::partner(db(), "供应商", "青山花农", 0, 120);
    StockRows::partner(db(), "客户", "锦江酒店", 300, 0);
    db().exec("INSERT INTO SWorker (theName, WName) VALUES ('小王', '总店')");
    test::PromptRecorder prompts;
    for (DocumentKind kind : allDocumentKinds()) {
        auto* w = static_cast<StockDocumentWindow*>(
            ui::WindowRegistry::find(documentConfig(kind).window)(ctx, nullptr));
        w->show();
        if (documentConfig(kind).hasPartner) {
            auto* p = test::findByName<QLineEdit>(w, kind == DocumentKind::Purchase ? "供应商"
                                                                                    : "客户名称");
            p->setText("青山");
            if (kind == DocumentKind::Sale)
                p->setText("锦江");
            w->searchPartner();
        }
        auto* g = w->grid();
        g->setCellText(0, Col::Number, "H001");
        w->searchLine(0, "H001");
        g->setCellText(0, Col::Quantity, "10");
        g->setCellText(1, Col::Number, "H002");
        w->searchLine(1, "H002");
        g->setCellText(1, Col::Quantity, "3");
        g->setCellText(1, Col::Remark, "破损两枝");
        g->setCellText(2, Col::Number, "mg");
        QTest::qWait(50);
        w->grab().save("/tmp/shots22/" + w->objectName() + ".png");
        std::printf("%s %dx%d\n", qPrintable(w->objectName()), w->width(), w->height());
        delete w;
    }
    for (const char* name : {"frmUSK_In", "frmUFK_In"}) {
        QWidget* w = ui::WindowRegistry::find(name)(ctx, nullptr);
        w->show();
        QTest::qWait(50);
        w->grab().save(QString("/tmp/shots22/") + name + ".png");
        std::printf("%s %dx%d\n", name, w->width(), w->height());
        delete w;
    }
    for (const char* name : {"frmUHCKC", "frmUSK_M", "frmUJH_M", "frmUXS_MX"}) {
        auto* w = static_cast<ui::SearchWindow*>(ui::WindowRegistry::find(name)(ctx, nullptr));
        w->resize(1366, 700);
        w->show();
        w->search();
        QTest::qWait(50);
        w->grab().save(QString("/tmp/shots22/") + name + ".png");
        delete w;
    }
}
FLORIST_ON_EVERY_BACKEND(Shots);
} // namespace
} // namespace florist::stock
