#pragma once

#include <QString>

#include <vector>

namespace merovan {

// Where a field of a job line stands: columns counted from 1; a field
// without a length runs to the end of the line.
struct FieldSpan {
    int from;
    int length = 0;
};

// The text of a field; shorter, or empty, when the line ends first.
QString fieldText(const QString &line, FieldSpan span);

// Every field that a keyword's handler reads, by the columns it reads.
namespace fields {
inline constexpr FieldSpan pluCode{6, 14};
inline constexpr FieldSpan pluDescription{20, 24};
inline constexpr FieldSpan pluQuantity{48, 7};
inline constexpr FieldSpan pluPrice{57, 9};
inline constexpr FieldSpan pluRate{69, 5};
inline constexpr FieldSpan pluDepartment{74, 3};
inline constexpr FieldSpan disAmount{7, 8};
inline constexpr FieldSpan modValue{7, 9};
inline constexpr FieldSpan modText{17, 24};
inline constexpr FieldSpan sutSubtotal{7, 10};
inline constexpr FieldSpan toType{8, 1};
inline constexpr FieldSpan toAmount{11, 9};
inline constexpr FieldSpan payType{7, 2};
inline constexpr FieldSpan comText{7, 28};
inline constexpr FieldSpan fooText{7};
inline constexpr FieldSpan canNumber{7, 6};
inline constexpr FieldSpan tboTable{7, 3};
inline constexpr FieldSpan tboText{11};
inline constexpr FieldSpan tbcTable{6};
inline constexpr FieldSpan moveSource{7, 3};
inline constexpr FieldSpan moveTarget{11, 3};
inline constexpr FieldSpan tbsTable{7, 3};
inline constexpr FieldSpan rptTable{6, 4};
inline constexpr FieldSpan sinNumber{6, 10};
inline constexpr FieldSpan invText{6, 255};
inline constexpr FieldSpan prgKeys{6, 90};
inline constexpr FieldSpan sndCommand{7, 90};
} // namespace fields

// What a field must hold for its line to do what the host meant.
enum class FieldKind {
    Text,            // anything
    Number,          // a decimal number, "," or "." before the decimals
    Amount,          // money with two decimals; a leading "-" turns its sense
    AmountOrPercent, // an Amount, or a percentage when it ends in "%"
    Whole,           // a whole number (a table, a type, a receipt number)
};

// A field of a keyword's line, named as the host integrator's guide names it.
struct JobField {
    QString name;
    FieldSpan span;
    FieldKind kind;
    bool mayBeBlank; // blank is a value of its own (the default, or "all")
};

// One keyword with its fields, in column order.
struct JobWordLayout {
    QString word;
    QString meaning;
    std::vector<JobField> fields;
};

// The layout of the line of a keyword ("PLU", "tbo", "exit", ... in any of
// its accepted cases); nullptr for a word that is not one.
const JobWordLayout *jobWordLayout(const QString &word);

} // namespace merovan
