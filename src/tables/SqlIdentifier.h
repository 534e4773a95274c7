#pragma once
// Table and field names in SQL: the table files name their tables by the
// manual's table numbers ("4-3"), which must be quoted. Shared by the store and
// the build tool that writes the files, so both spell them alike.
#include <string>

namespace verosa::tables {

inline std::string sqlIdentifier(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

}  // namespace verosa::tables
