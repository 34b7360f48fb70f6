#pragma once

#include "core/search/searchdescriptor.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGridLayout;

namespace florist {
class Loaders;
}

namespace florist::ui {

// The group "查询条件" of a search window: one check box beside each input, built from the
// window's conditions. A change of an input ticks its box; unticking is left to the user.
class ConditionPanel : public QWidget {
    Q_OBJECT
public:
    ConditionPanel(const search::SearchDescriptor& spec, Loaders& loaders,
                   const QDate& businessDate, QWidget* parent = nullptr);

    // What every condition holds now, in the order of the descriptor's conditions.
    QList<search::ConditionInput> inputs() const;
    // The check box of a condition (nullptr for a radio button, which is its own box).
    QCheckBox* box(int condition) const { return boxes_.value(condition); }
    QWidget* input(int condition) const { return inputs_.value(condition); }
    // Where the window adds its buttons and hide boxes: the column right of the conditions.
    QGridLayout* grid() const { return grid_; }
    int columnsUsed() const { return columns_; }
    // The radio buttons the screen rows leave out ("全部", "会员", …), in one row for the window
    // to place beside its buttons; nullptr when every radio button stands in a screen row.
    QWidget* radioStrip() const { return radioStrip_; }

signals:
    // A radio button that searches on click was clicked.
    void searchRequested();

private:
    QWidget* makeInput(int index, const search::Condition& c, Loaders& loaders,
                       const QDate& businessDate);
    void tick(int index);
    QWidget* makeRadio(int index, QWidget* parent);

    const search::SearchDescriptor& spec_;
    QGridLayout* grid_ = nullptr;
    QButtonGroup* radios_ = nullptr;
    QWidget* radioStrip_ = nullptr;
    QList<QCheckBox*> boxes_;
    QList<QWidget*> inputs_;
    int columns_ = 0;
};

} // namespace florist::ui
