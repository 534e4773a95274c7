#pragma once
// The manual tables, read from the two SQLite table files beside the program.
// A table is opened whole into a grid of text cells: row 0 holds the field
// names, column 0 is empty, and cell (r, c) is field c-1 of the r-th record.
#include <filesystem>
#include <string>
#include <vector>

namespace verosa::tables {

class LookupTable {
public:
    LookupTable() = default;
    LookupTable(std::string name, std::vector<std::vector<std::string>> cells);
    const std::string& name() const { return name_; }
    int rows() const { return static_cast<int>(cells_.size()); }  // including row 0
    int cols() const;                                             // including column 0
    // The cell's text; a cell outside the grid is an arithmetic failure naming
    // the table, never a silent 0.
    const std::string& cell(int row, int col) const;
    // num() of the cell.
    double number(int row, int col) const;

private:
    std::string name_;
    std::vector<std::vector<std::string>> cells_;
};

// The two table files, found beside the running executable, or where an
// installation puts them (share/verosa beside its bin folder), or in a folder
// given by the caller, for tests.
class LookupTableStore {
public:
    static constexpr const char* kQoraFile = "2001QORA.sqlite";
    static constexpr const char* kFactorFile = "factor.sqlite";

    LookupTableStore();  // found from the folder of the running executable
    // The folder of the table files for a program in `programFolder`: that
    // folder when a table file is there (a build), else ../share/verosa when
    // one is there (an installation), else that folder again, so that a
    // missing file is named where a build keeps it.
    static std::filesystem::path tableFolderFor(const std::filesystem::path& programFolder);
    explicit LookupTableStore(std::filesystem::path folder);
    const std::filesystem::path& folder() const { return folder_; }
    // Opens a table whole. A missing file or table throws Failure with kind
    // MissingTable and a Korean message naming the file and the table.
    LookupTable open(const std::string& file, const std::string& table) const;

private:
    std::filesystem::path folder_;
};

}  // namespace verosa::tables
