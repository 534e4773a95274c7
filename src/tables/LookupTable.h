#pragma once
// The manual tables, read from the two SQLite table files beside the program.
// A table is opened whole into a grid of text cells: row 0 holds the field
// names, column 0 is empty, and cell (r, c) is field c-1 of the r-th record.
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
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

    // How the windows created with a store get their sets of tables: each
    // opens its own when it is created (the desktop program), or the first
    // window of a kind opens the set and every later one shares it, read-only
    // and from any thread (a batch of many cases: the tables are read once).
    enum class Sets { PerWindow, Shared };

    // Found from the folder of the running executable (see tableFolderFor).
    explicit LookupTableStore(Sets sets = Sets::PerWindow);
    explicit LookupTableStore(std::filesystem::path folder, Sets sets = Sets::PerWindow);
    // The folder of the table files for a program in `programFolder`: that
    // folder when a table file is there (a build), else ../share/verosa when
    // one is there (an installation), else that folder again, so that a
    // missing file is named where a build keeps it.
    static std::filesystem::path tableFolderFor(const std::filesystem::path& programFolder);
    const std::filesystem::path& folder() const { return folder_; }
    // Opens a table whole. A missing file or table throws Failure with kind
    // MissingTable and a Korean message naming the file and the table.
    LookupTable open(const std::string& file, const std::string& table) const;

    bool sharesSets() const { return shared_ != nullptr; }
    // The set `open` reads, opened by the first caller and kept by the store;
    // callers on other threads wait for it. A set that fails to open (a
    // missing table) is not kept: the next caller tries again and names it.
    template <class Tables>
    std::shared_ptr<const Tables> sharedSet(Tables (*open)(const LookupTableStore&)) const {
        const auto key = reinterpret_cast<const void*>(open);
        std::lock_guard<std::mutex> lock(shared_->mutex);
        std::shared_ptr<const void>& set = shared_->sets[key];
        if (!set) {
            try {
                set = std::make_shared<const Tables>(open(*this));
            } catch (...) {
                shared_->sets.erase(key);
                throw;
            }
        }
        return std::static_pointer_cast<const Tables>(set);
    }

private:
    struct SharedSets {
        std::mutex mutex;
        std::map<const void*, std::shared_ptr<const void>> sets;
    };
    std::filesystem::path folder_;
    std::shared_ptr<SharedSets> shared_;  // null: every window opens its own set
};

}  // namespace verosa::tables
