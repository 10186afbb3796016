#pragma once
// Translation tables of forms, and the form resources made from them.
//
// A table is a text file (UTF-8), one statement per line; "#" starts a
// comment line, blank lines are ignored:
//
//   form TFormMain                 the form's name (its entries use index -1)
//   design german                  the language the form is designed in:
//                                  english (slot 0) or german (slot 1)
//   # component  property  English            German
//   Label3       Caption   "current file:"    "aktuelle Datei:"
//   BtnNew       Hint      "New hotkey"       "Neuer Hotkey"
//   BtnOk        Caption   "OK"               ""
//   CBLanguages  Items     "english"          ""
//   CBLanguages  Items     "deutsch"          ""
//
// "form" and "design" come once each, before the rows. Names are letters,
// digits and underscores, not starting with a digit; texts are in double
// quotes, with \" and \\ for a quote and a backslash, \r and \n for the
// carriage return and line feed between the lines of a multi-line caption.
// An empty German text, or one equal to the English text, is stored empty:
// the English text then shows in German too.
// Consecutive "Items" rows of one component are the lines of one list, in
// order; any other property is one text, given once. Components are
// numbered in the order the table first names them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/containerentries.h"
#include "persist/errors.h"

namespace tarvo {

// A table that cannot be read; the text names the file and line.
class EFormTableError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

struct TFormTableRow {
    std::string Component;
    std::string Property;
    std::string English;
    std::string German;
    int Line = 0; // in the table file, for messages
};

struct TFormTable {
    std::string FormName;
    int DesignSlot = 0;
    std::vector<TFormTableRow> Rows;
};

// Parses and checks a table; fileName is only used in error messages.
TFormTable ParseFormTable(std::string_view text, std::string_view fileName);

// The form's translations: one entry per property (a list entry for
// "Items"), slots English and German.
std::unique_ptr<TInfoList> BuildContainer(const TFormTable& table);

// The stored container; empty for a table without rows, since a form
// without translations stores none.
std::vector<uint8_t> ContainerBlock(const TFormTable& table);

// C++ source defining tarvo::formresources::<form name>, the TFormResource
// with the stored container, and the header declaring it.
std::string ResourceSource(const TFormTable& table, std::string_view headerName, std::string_view tableName);
std::string ResourceHeader(const TFormTable& table, std::string_view tableName);

} // namespace tarvo
