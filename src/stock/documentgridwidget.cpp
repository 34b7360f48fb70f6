#include "stock/documentgridwidget.h"

#include "ui/fields.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace florist::stock {

namespace {

const int kWidths[] = {30, 100, 160, 60, 60, 80, 100, 180};
const char* const kHeadings[] = {"序号", "花材编号", "花材名称", "花材单位",
                                 "数量", "单价",     "金额",     "备注"};

// Column 1 of a filled line takes only Backspace: what is left must be the material number
// with characters taken out.
class DeletionOnly : public QValidator {
public:
    DeletionOnly(QString original, QObject* parent)
        : QValidator(parent), original_(std::move(original)) {}
    State validate(QString& input, int&) const override {
        int at = 0;
        for (const QChar ch : input) {
            at = int(original_.indexOf(ch, at));
            if (at < 0) {
                return Invalid;
            }
            ++at;
        }
        return input.size() <= original_.size() ? Acceptable : Invalid;
    }

private:
    QString original_;
};

} // namespace

// The cell editors: a line edit holding the column's key filter, which reports every key to the
// grid and turns Enter into the grid's Enter.
class DocumentCellDelegate : public QStyledItemDelegate {
public:
    explicit DocumentCellDelegate(DocumentGridWidget* grid)
        : QStyledItemDelegate(grid), grid_(grid) {}

    static QValidator* validatorFor(const DocumentGridWidget* grid, int line, int column,
                                    QObject* parent) {
        using C = DocumentGridWidget::Column;
        switch (column) {
        case C::Number:
            if (grid->lines_.at(line).filled()) {
                return new DeletionOnly(grid->lines_.at(line).materialNumber, parent);
            }
            return new ui::FieldValidator(0, ui::KeyFilter::Any, parent);
        case C::Quantity:
            return new ui::FieldValidator(0, ui::KeyFilter::Digits, parent);
        case C::Price:
            return new ui::FieldValidator(0, ui::KeyFilter::Amount, parent);
        case C::Remark:
            return new ui::FieldValidator(kLineRemarkBytes, ui::KeyFilter::Any, parent);
        default:
            return new ui::FieldValidator(0, ui::KeyFilter::Any, parent);
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setValidator(validatorFor(grid_, index.row(), index.column(), edit));
        const int line = index.row();
        const int column = index.column();
        connect(edit, &QLineEdit::textEdited, grid_, [this, line, column](const QString& text) {
            grid_->textTyped(line, column, text);
        });
        edit->installEventFilter(const_cast<DocumentCellDelegate*>(this));
        return edit;
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex& index) const override {
        // Every key already reached the line; the closed cell shows the line again.
        grid_->showLine(index.row());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* editor = qobject_cast<QWidget*>(watched);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                grid_->enterPressed();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    DocumentGridWidget* grid_;
};

DocumentGridWidget::DocumentGridWidget(const DocumentConfig& config, QWidget* parent)
    : QTableWidget(kLineCount, 8, parent), config_(config), lines_(kLineCount) {
    setObjectName("grdLines");
    setAccessibleName("花材信息");
    setToolTip("亲，在 花材编号 处录入花材编号或花材名称拼音首字母，按回车或鼠标双击...");
    for (int c = 0; c < 8; ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(kHeadings[c])));
        setColumnWidth(c, kWidths[c]);
    }
    // "@99" must show whole in the desktop's font.
    setColumnWidth(No, qMax(kWidths[No], fontMetrics().horizontalAdvance("@99") + 12));
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(22);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setItemDelegate(new DocumentCellDelegate(this));
    installEventFilter(this);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int line, int column) {
        setCurrentCell(line, column);
        if (!lines_.at(line).filled()) {
            emit searchRequested(line, lines_.at(line).materialNumber);
        } else if (editable(line, column)) {
            editItem(item(line, column));
        }
    });
    reset();
}

bool DocumentGridWidget::editable(int line, int column) const {
    Q_UNUSED(line);
    switch (column) {
    case Number:
    case Quantity:
    case Remark:
        return true;
    case Price:
        return config_.priceEditable;
    default:
        return false;
    }
}

void DocumentGridWidget::reset() {
    lines_ = QList<DocumentLine>(kLineCount);
    showing_ = true;
    for (int r = 0; r < kLineCount; ++r) {
        for (int c = 0; c < 8; ++c) {
            auto* it = new QTableWidgetItem(c == No ? "@" + QString::number(r + 1) : QString());
            if (!editable(r, c)) {
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            }
            if (c == No) {
                it->setBackground(palette().button());
            }
            setItem(r, c, it);
        }
    }
    showing_ = false;
    setCurrentCell(0, Number);
    emit totalsChanged();
}

void DocumentGridWidget::showLine(int line) {
    const DocumentLine& l = lines_.at(line);
    const QString texts[] = {"@" + QString::number(line + 1),
                             l.materialNumber,
                             l.materialName,
                             l.unit,
                             l.quantity,
                             l.price,
                             l.filled() ? amountText(lineAmount(l)) : QString(),
                             l.remark};
    showing_ = true;
    for (int c = 0; c < 8; ++c) {
        item(line, c)->setText(texts[c]);
    }
    showing_ = false;
}

void DocumentGridWidget::fillLine(int line, const DocumentLine& filled) {
    lines_[line] = filled;
    showLine(line);
    emit totalsChanged();
}

QList<qlonglong> DocumentGridWidget::lotsOnOtherLines(int line) const {
    QList<qlonglong> lots;
    for (int i = 0; i < lines_.size(); ++i) {
        if (i != line && lines_.at(i).lotId != 0) {
            lots << lines_.at(i).lotId;
        }
    }
    return lots;
}

void DocumentGridWidget::textTyped(int line, int column, const QString& text) {
    DocumentLine& l = lines_[line];
    switch (column) {
    case Number:
        l.materialNumber = text;
        break;
    case Quantity:
        l.quantity = text;
        break;
    case Price:
        l.price = text;
        break;
    case Remark:
        l.remark = text;
        break;
    default:
        return;
    }
    if (l.materialNumber.isEmpty()) {
        // A line whose number was taken away is empty again, material and lot included.
        l = DocumentLine();
    }
    // The open editor keeps its own text; the other cells of the line follow.
    showing_ = true;
    const DocumentLine shown = l;
    for (int c = Name; c <= Remark; ++c) {
        if (c == column) {
            continue;
        }
        const QString t = c == Name       ? shown.materialName
                          : c == Unit     ? shown.unit
                          : c == Quantity ? shown.quantity
                          : c == Price    ? shown.price
                          : c == Amount   ? (shown.filled() ? amountText(lineAmount(shown)) : "")
                                          : shown.remark;
        item(line, c)->setText(t);
    }
    if (column != Number) {
        item(line, Number)->setText(shown.materialNumber);
    }
    showing_ = false;
    emit totalsChanged();
}

QString DocumentGridWidget::cellText(int line, Column column) const {
    const DocumentLine& l = lines_.at(line);
    switch (column) {
    case Number:
        return l.materialNumber;
    case Name:
        return l.materialName;
    case Unit:
        return l.unit;
    case Quantity:
        return l.quantity;
    case Price:
        return l.price;
    case Amount:
        return l.filled() ? amountText(lineAmount(l)) : QString();
    case Remark:
        return l.remark;
    case No:
        break;
    }
    return "@" + QString::number(line + 1);
}

void DocumentGridWidget::setCellText(int line, Column column, const QString& text) {
    if (!editable(line, column)) {
        return;
    }
    QValidator* v = DocumentCellDelegate::validatorFor(this, line, column, nullptr);
    QString t = text;
    int pos = 0;
    const bool ok = v->validate(t, pos) != QValidator::Invalid;
    delete v;
    if (ok) {
        setCurrentCell(line, column);
        textTyped(line, column, text);
        showLine(line);
    }
}

void DocumentGridWidget::focusCell(int line, Column column) {
    setFocus();
    setCurrentCell(line, column);
}

void DocumentGridWidget::enterPressed() {
    const int line = currentRow() < 0 ? 0 : currentRow();
    if (!lines_.at(line).filled()) {
        emit searchRequested(line, lines_.at(line).materialNumber);
    }
    moveOn();
}

void DocumentGridWidget::moveOn() {
    const int line = currentRow() < 0 ? 0 : currentRow();
    if (lines_.at(line).materialNumber.isEmpty()) {
        return;
    }
    const int next = qMin(line + 1, kLineCount - 1);
    switch (currentColumn()) {
    case Number:
        setCurrentCell(line, Quantity);
        break;
    case Quantity:
        if (config_.priceEditable) {
            setCurrentCell(line, Price);
        } else {
            setCurrentCell(next, Number);
        }
        break;
    case Price:
        setCurrentCell(next, Number);
        break;
    default:
        break;
    }
}

bool DocumentGridWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::KeyPress && state() != EditingState) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterPressed();
            return true;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

} // namespace florist::stock
