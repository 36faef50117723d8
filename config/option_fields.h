#pragma once
// One table per record: a row for each field of ModelOption and of
// TextureOption, in the order of the fields of a class file line (row i is
// field i + 1). A row says everything about its field except what it does
// in placement: the option editor's label, tool tip and text for a new
// option, the member that keeps it, how the loader takes it and what the
// editor's Save accepts. The class file parsers and formatters, the lists'
// option text, the checks and the editors' rows all walk these tables, so a
// new field is one new row (plus its meaning in placement).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/foliage_records.h"

// The member that keeps a field. Its type is the field's kind, in the order
// of FieldKind.
template <typename Record>
using FieldMember = std::variant<std::string Record::*, bool Record::*, float Record::*,
                                 std::optional<float> Record::*, std::optional<int> Record::*,
                                 std::vector<std::string> Record::*>;

enum class FieldKind {
    Name,       // the record's name, as written
    Flag,       // 0 or 1; a check box in the editor
    Number,     // a number every line has
    Rule,       // an optional number: an empty field leaves it unset
    WholeRule,  // an optional whole number
    Names,      // names, one field each, to the end of the line
};

// How the loader takes a number read from its field.
enum class Taken {
    Always,
    AtLeastZero,  // only when at least 0 (never NaN); otherwise the default stays
    WhenChecked,  // only when the row's check passes; otherwise the default stays
};

// The check of a number: nullptr when it passes, else the message.
using NumberCheck = const char* (*)(float value);

// One bit of a whole-number field that the editor also offers as a check box.
struct FieldBit {
    int value;
    const char* label;
    const char* toolTip;
};

template <typename Record>
struct FieldRow {
    FieldRow(const char* label_, const char* toolTip_, const char* initial_,
             FieldMember<Record> member_)
        : label(label_), toolTip(toolTip_), initial(initial_), member(member_) {}

    FieldKind Kind() const { return static_cast<FieldKind>(member.index()); }
    bool IsOptional() const { return Kind() == FieldKind::Rule || Kind() == FieldKind::WholeRule; }
    // What messages call the field.
    const char* Name() const { return name != nullptr ? name : label; }

    const char* label;    // the editor's label (translated when shown)
    const char* toolTip;
    const char* initial;  // the editor's text for a new option; "1" or "0" for a check box
    FieldMember<Record> member;
    Taken taken = Taken::Always;
    NumberCheck check = nullptr;
    bool closesWindow = false;     // the maximum of a window opened by the row before
    bool setWithPrevious = false;  // set together with the row before, or both left empty
    bool endsGroup = false;        // a line with any optional field carries every field to here
    const char* name = nullptr;    // names the field in messages where the label does not
    int width = 0;                 // the editor's field width in pixels, growing; 0: the toolkit's
    std::vector<FieldBit> bits;    // offered beside the number as check boxes

    // The rows are written as a constructor call and these.
    FieldRow& Taking(Taken how) { taken = how; return *this; }
    FieldRow& Checked(NumberCheck how) { check = how; return *this; }
    FieldRow& ClosingWindow() { closesWindow = true; return *this; }
    FieldRow& SetWithPrevious() { setWithPrevious = true; return *this; }
    FieldRow& EndingGroup() { endsGroup = true; return *this; }
    FieldRow& NamedInMessages(const char* text) { name = text; return *this; }
    FieldRow& Width(int pixels) { width = pixels; return *this; }
    FieldRow& Bits(std::vector<FieldBit> list) { bits = std::move(list); return *this; }
};

template <typename Record>
using FieldTable = std::vector<FieldRow<Record>>;

template <typename Record>
const FieldTable<Record>& Fields();
template <>
const FieldTable<ModelOption>& Fields<ModelOption>();
template <>
const FieldTable<TextureOption>& Fields<TextureOption>();

// The row of the table that keeps `member`, for code and tests that name one
// field.
template <typename Record, typename T>
std::size_t FieldIndex(T Record::*member) {
    const FieldTable<Record>& rows = Fields<Record>();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto* kept = std::get_if<T Record::*>(&rows[i].member);
        if (kept != nullptr && *kept == member) return i;
    }
    return rows.size();
}

// Whether an optional field is set (a required field always is).
template <typename Record>
bool IsFieldSet(const FieldRow<Record>& row, const Record& record);

// The field as a class file line writes it: the name as it is, a flag as 0
// or 1, a number as printf "%g" writes it, an unset field as empty; names
// joined by commas.
template <typename Record>
std::string FieldText(const FieldRow<Record>& row, const Record& record);

// Reads the texts of one line (or of an editor) into a default record, by
// position, as the loader takes them: a field the texts do not reach keeps
// its default, a Names field takes the texts from its position on, and a
// window's ends are put in order when its maximum is given.
template <typename Record>
Record RecordFromTexts(const std::vector<std::string_view>& texts);

// The line of a class file for the record, without its line end. Optional
// fields are written through the last one set (and then at least through the
// row ending their group), so a line without them is as it always was.
template <typename Record>
std::string RecordLine(const Record& record);
