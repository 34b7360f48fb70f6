#pragma once

#include "core/spreadsheet/xlsxexport.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QStringListModel;

namespace florist {
class Dialect;
class Loaders;
} // namespace florist

namespace florist::search {

// A piece of WHERE text with its bound values, in the order of its "?" placeholders.
struct Term {
    QString text;
    QVariantList params;

    bool isEmpty() const { return text.isEmpty(); }
    Term& operator+=(const Term& other) {
        text += other.text;
        params += other.params;
        return *this;
    }
};

enum class InputKind {
    Text,     // a line of text
    List,     // a drop-down filled by a loader
    DatePair, // two date pickers with "至：" between them
    Number,   // a whole number in a spin box
    Radio     // a radio button of a group; its own caption is the value
};

enum class Match {
    Contains, // "AND (f LIKE '%text%' OR g LIKE '%text%') ": the text found anywhere, as typed
    Equals,   // "AND (f = 'choice') "
    Between,  // "AND (f BETWEEN 'from' AND 'to') ", dates written yyyy-mm-dd
    Fixed,    // "AND (f = 'value') " with the condition's own value (a radio button)
    Custom,   // the condition's term function builds the term
    None      // adds no term ("全部")
};

// What the search panel holds for one condition when "查询" runs.
struct ConditionInput {
    bool ticked = false;
    QString text; // text typed, or the choice of a drop-down
    QDate from;
    QDate to;
    int number = 0;
};

// One check box of the group "查询条件" with its input and the term it adds.
struct Condition {
    QString caption; // the check box ("卡        号"); the input is named without the blanks
    InputKind kind = InputKind::Text;
    Match match = Match::Contains;
    QStringList fields; // Contains: every field searched (OR); the others: the first
    QVariant value;     // Fixed: the bound value
    std::function<Term(const ConditionInput&)> term;   // Custom
    std::function<QStringListModel*(Loaders&)> loader; // List
    // List: runs when a value is chosen, e.g. the store reloading the staff lists (DBComWorker).
    std::function<void(Loaders&, const QString&)> chosen;
    int maxBytes = 0;             // Text: a GBK byte limit, 0 none
    bool ticksBox = true;         // a change of the input ticks the box
    bool startsTicked = false;    // shown ticked when the window opens
    bool always = false;          // the term applies whether or not the box is ticked
    bool searchesOnClick = false; // Radio: a click runs the search
    int numberMin = 0;            // Number
    int numberMax = 1000;
    int numberPreset = 0;
    // Between: the list, read newest first, walks the table rather than this field's index (a
    // date range of many rows would otherwise be read whole and sorted before its first page);
    // the totals still use the index.
    bool listScansInKeyOrder = false;
    // DatePair: the dates the window opens with, from the business date.
    std::function<QDate(const QDate&)> defaultFrom;
    std::function<QDate(const QDate&)> defaultTo;
};

enum class ColumnKind { Text, Number };

// One column of a window's list: the grid, the totals, the sort and the export are made from it.
struct Column {
    QString heading; // the alias of the select and the grid heading; values are read back by it
    QString field;   // the column or expression selected (M1 + M2)
    int width = 0;   // pixels; 0 the grid's default
    ColumnKind kind = ColumnKind::Text;
    bool hidden = false;       // ID, WID, HCID
    bool exportAsText = false; // written with a leading apostrophe (card numbers, dates, phones)
    bool exported = true;      // part of the export layout (unless hidden)
    QVariantList params;       // values bound to the "?" of an expression field, in order
};

// A totals line: "积分：" followed by the sum over the filter.
struct Total {
    QString caption;    // "积分："
    QString expression; // SUM(theJF)
    QString alias;      // the heading of the totals select, and the column it is exported under
    QString whenEmpty = QStringLiteral("0"); // shown when no row matches (the sum is empty)
};

// A hide check box ("隐藏收花人信息") and the headings it hides in the grid only.
struct HideBox {
    QString caption;
    QStringList headings;
};

// Everything a search, management, query or reminder window is made of, as data.
struct SearchDescriptor {
    QString objectName; // frmMember_M
    QString caption;    // 会员管理
    QString from;       // the table or view
    Term fixed;         // conditions that always apply, right after "WHERE (theDel = '否') "
    QList<Condition> conditions; // in the order their terms are appended
    // The screen rows of the panel, by condition index (-1 leaves a place empty); empty: four to
    // a row in term order.
    QList<QList<int>> screenRows;
    QList<Column> columns;
    QString countCaption; // "会员数量："
    QList<Total> totals;
    QList<HideBox> hideBoxes;
    // A click on a hide box searches at once; otherwise its setting waits for the next "查询".
    bool hideBoxesSearch = true;
    // The heading the list is ordered by when it opens (empty: newest first by ID).
    QString sortHeading;
    bool sortAscending = true;
    // Export: the word after the shop name ("会员表"); empty: the window has no "Excel" button.
    QString exportTitle;
    QStringList exportOmitted;       // headings left out of the export
    bool exportBeforeSearch = false; // "Excel" stays disabled until the first search otherwise
    bool exportLandscape = true;     // the exported sheet's page; the materials list is upright
};

// What a filter is for: the totals select, or the list read a page at a time in key order.
enum class FilterUse { Totals, List };

// The filter of the ticked conditions, in the descriptor's order (not the screen's). Text goes to
// the server as bound values; a LIKE term escapes %, _ and [ so that what was typed is found
// literally, quotes included. The two uses differ only in how a listScansInKeyOrder field is
// written; they bind the same values.
Term buildFilter(const SearchDescriptor& spec, const QList<ConditionInput>& inputs,
                 const Dialect& dialect, FilterUse use = FilterUse::Totals);

// The LIKE pattern that finds text anywhere, with the wildcards of the text escaped by "!".
QString containsPattern(const QString& text);
// "f LIKE ? ESCAPE '!'" with the dialect's case-insensitive operator.
QString likeTerm(const QString& field, const Dialect& dialect);

// "SELECT <columns> FROM <from> WHERE (theDel = '否') " and the totals select over the same WHERE.
QString selectList(const SearchDescriptor& spec);
QString whereHead(const SearchDescriptor& spec);
QString totalsSelect(const SearchDescriptor& spec);

// The export layout that matches the grid: every exported, visible column in grid order.
ExportSpec exportSpec(const SearchDescriptor& spec);

} // namespace florist::search
