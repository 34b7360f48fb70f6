#include "ui/search/conditionpanel.h"

#include "core/db/loaders.h"
#include "ui/fields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace florist::ui {

using search::Condition;
using search::ConditionInput;
using search::InputKind;

namespace {

QList<QList<int>> screenRows(const search::SearchDescriptor& spec) {
    if (!spec.screenRows.isEmpty()) {
        return spec.screenRows;
    }
    QList<QList<int>> rows;
    for (int i = 0; i < spec.conditions.size(); ++i) {
        if (i % 4 == 0) {
            rows << QList<int>();
        }
        rows.last() << i;
    }
    return rows;
}

} // namespace

ConditionPanel::ConditionPanel(const search::SearchDescriptor& spec, Loaders& loaders,
                               const QDate& businessDate, QWidget* parent)
    : QWidget(parent), spec_(spec) {
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(6);
    radios_ = new QButtonGroup(this);
    const int n = int(spec.conditions.size());
    boxes_ = QList<QCheckBox*>(n, nullptr);
    inputs_ = QList<QWidget*>(n, nullptr);
    const QList<QList<int>> rows = screenRows(spec);
    for (int r = 0; r < rows.size(); ++r) {
        int col = 0;
        for (int index : rows.at(r)) {
            if (index < 0) {
                col += 2; // an empty place: box and input
                continue;
            }
            const Condition& c = spec.conditions.at(index);
            if (c.kind == InputKind::Radio) {
                grid_->addWidget(makeRadio(index, this), r, col, 1, 2);
                col += 2;
                continue;
            }
            auto* box = new QCheckBox(c.caption, this);
            box->setObjectName("chk" + accessibleFromCaption(c.caption));
            box->setChecked(c.startsTicked);
            boxes_[index] = box;
            QWidget* in = makeInput(index, c, loaders, businessDate);
            inputs_[index] = in;
            grid_->addWidget(box, r, col);
            const int span = c.kind == InputKind::DatePair ? 3 : 1;
            grid_->addWidget(in->parentWidget() == this ? in : in->parentWidget(), r, col + 1, 1,
                             span);
            col += 1 + span;
        }
        columns_ = qMax(columns_, col);
    }
    for (int index = 0; index < n; ++index) {
        if (spec.conditions.at(index).kind != InputKind::Radio || inputs_.at(index)) {
            continue;
        }
        if (!radioStrip_) {
            radioStrip_ = new QWidget(this);
            auto* h = new QHBoxLayout(radioStrip_);
            h->setContentsMargins(0, 0, 0, 0);
        }
        radioStrip_->layout()->addWidget(makeRadio(index, radioStrip_));
    }
}

QWidget* ConditionPanel::makeRadio(int index, QWidget* parent) {
    auto* radio = new QRadioButton(spec_.conditions.at(index).caption, parent);
    radios_->addButton(radio);
    inputs_[index] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, index] {
        if (spec_.conditions.at(index).searchesOnClick) {
            emit searchRequested();
        }
    });
    return radio;
}

QWidget* ConditionPanel::makeInput(int index, const Condition& c, Loaders& loaders,
                                   const QDate& businessDate) {
    switch (c.kind) {
    case InputKind::Text: {
        QLineEdit* edit = textField(c.caption, c.maxBytes, this);
        edit->setMinimumWidth(100);
        connect(edit, &QLineEdit::textChanged, this, [this, index] { tick(index); });
        return edit;
    }
    case InputKind::List: {
        QComboBox* box = listField(c.caption, c.loader ? c.loader(loaders) : nullptr, this);
        box->setMinimumWidth(100);
        // Without a placeholder a drop-down whose shared list is filled anew (the staff of
        // another store) would choose its first name by itself, and that would tick its box.
        box->setPlaceholderText(" ");
        connect(box, &QComboBox::currentIndexChanged, this, [this, index, box, &loaders](int i) {
            if (i < 0) {
                return;
            }
            tick(index);
            if (const auto& chosen = spec_.conditions.at(index).chosen) {
                chosen(loaders, box->currentText());
            }
        });
        return box;
    }
    case InputKind::DatePair: {
        // The pair lives in one cell: from, "至：", to.
        auto* cell = new QWidget(this);
        auto* h = new QHBoxLayout(cell);
        h->setContentsMargins(0, 0, 0, 0);
        const QDate from = c.defaultFrom ? c.defaultFrom(businessDate) : businessDate;
        const QDate to = c.defaultTo ? c.defaultTo(businessDate) : businessDate;
        QDateEdit* fromEdit = dateField(c.caption, from, cell);
        QDateEdit* toEdit = dateField(c.caption + "至", to, cell);
        toEdit->setObjectName("to");
        h->addWidget(fromEdit);
        h->addWidget(new QLabel("至：", cell));
        h->addWidget(toEdit);
        h->addStretch(1);
        for (QDateEdit* e : {fromEdit, toEdit}) {
            connect(e, &QDateEdit::dateChanged, this, [this, index] { tick(index); });
        }
        return fromEdit;
    }
    case InputKind::Number: {
        auto* spin = new QSpinBox(this);
        spin->setAccessibleName(accessibleFromCaption(c.caption));
        spin->setRange(c.numberMin, c.numberMax);
        spin->setValue(c.numberPreset);
        connect(spin, &QSpinBox::valueChanged, this, [this, index] { tick(index); });
        return spin;
    }
    case InputKind::Radio:
        break;
    }
    return new QWidget(this);
}

void ConditionPanel::tick(int index) {
    if (QCheckBox* b = boxes_.value(index); b && spec_.conditions.at(index).ticksBox) {
        b->setChecked(true);
    }
}

QList<ConditionInput> ConditionPanel::inputs() const {
    QList<ConditionInput> list;
    for (int i = 0; i < spec_.conditions.size(); ++i) {
        ConditionInput in;
        QWidget* w = inputs_.at(i);
        in.ticked = boxes_.at(i) && boxes_.at(i)->isChecked();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            in.text = edit->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            in.text = chosenText(combo);
        } else if (auto* date = qobject_cast<QDateEdit*>(w)) {
            in.from = date->date();
            if (auto* to = w->parentWidget()->findChild<QDateEdit*>("to")) {
                in.to = to->date();
            }
        } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
            in.number = spin->value();
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            in.ticked = radio->isChecked();
            in.text = radio->text();
        }
        list << in;
    }
    return list;
}

} // namespace florist::ui
