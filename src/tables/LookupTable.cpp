#include "tables/LookupTable.h"

#include <sqlite3.h>

#include <system_error>
#include <utility>

#include "numeric/Num.h"
#include "numeric/Result.h"
#include "tables/SqlIdentifier.h"

namespace verosa::tables {

namespace {

[[noreturn]] void missing(const std::string& file, const std::string& table, const std::string& why) {
    throw Failure({ErrorKind::MissingTable,
                   "표 파일 \"" + file + "\"에서 표 \"" + table + "\"의 값을 읽을 수 없습니다: " + why,
                   {}});
}

// Owns an open connection and a prepared statement.
struct Connection {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    ~Connection() {
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }
};

std::string textOf(const unsigned char* text, int bytes) {
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes)) : std::string();
}

}  // namespace

LookupTable::LookupTable(std::string name, std::vector<std::vector<std::string>> cells)
    : name_(std::move(name)), cells_(std::move(cells)) {}

int LookupTable::cols() const { return cells_.empty() ? 0 : static_cast<int>(cells_.front().size()); }

const std::string& LookupTable::cell(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= static_cast<int>(cells_[static_cast<std::size_t>(row)].size()))
        failArithmetic("표 \"" + name_ + "\"에 " + std::to_string(row) + "행 " + std::to_string(col) +
                       "열이 없습니다.");
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

double LookupTable::number(int row, int col) const { return num(cell(row, col)); }

LookupTableStore::LookupTableStore(Sets sets)
    : shared_(sets == Sets::Shared ? std::make_shared<SharedSets>() : nullptr) {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    // Without /proc the current folder is the best guess; a missing file is then
    // reported by name like any other.
    folder_ = tableFolderFor(error ? std::filesystem::current_path(error) : exe.parent_path());
}

std::filesystem::path LookupTableStore::tableFolderFor(const std::filesystem::path& programFolder) {
    auto holdsTables = [](const std::filesystem::path& folder) {
        std::error_code error;
        return std::filesystem::is_regular_file(folder / kQoraFile, error) ||
               std::filesystem::is_regular_file(folder / kFactorFile, error);
    };
    if (holdsTables(programFolder)) return programFolder;
    const std::filesystem::path installed = (programFolder / ".." / "share" / "verosa").lexically_normal();
    if (holdsTables(installed)) return installed;
    return programFolder;
}

LookupTableStore::LookupTableStore(std::filesystem::path folder, Sets sets)
    : folder_(std::move(folder)), shared_(sets == Sets::Shared ? std::make_shared<SharedSets>() : nullptr) {}

LookupTable LookupTableStore::open(const std::string& file, const std::string& table) const {
    const std::filesystem::path path = folder_ / file;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        missing(file, table, "파일이 없습니다 (" + path.string() + ").");

    Connection c;
    // Read-only: a missing file must not be created as an empty database.
    if (sqlite3_open_v2(path.c_str(), &c.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        missing(file, table, "파일을 열 수 없습니다 (" + std::string(c.db ? sqlite3_errmsg(c.db) : "") + ").");

    const std::string sql = "SELECT * FROM " + sqlIdentifier(table) + " ORDER BY rowid";
    if (sqlite3_prepare_v2(c.db, sql.c_str(), -1, &c.statement, nullptr) != SQLITE_OK) {
        const std::string why = sqlite3_errmsg(c.db);
        if (why.rfind("no such table", 0) == 0) missing(file, table, "표가 없습니다.");
        missing(file, table, "파일을 읽을 수 없습니다 (" + why + ").");
    }

    const int fields = sqlite3_column_count(c.statement);
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> names{std::string()};
    for (int f = 0; f < fields; ++f) {
        const char* name = sqlite3_column_name(c.statement, f);
        names.emplace_back(name ? name : "");
    }
    cells.push_back(std::move(names));

    int step;
    while ((step = sqlite3_step(c.statement)) == SQLITE_ROW) {
        std::vector<std::string> row{std::string()};
        row.reserve(static_cast<std::size_t>(fields) + 1);
        for (int f = 0; f < fields; ++f) {
            const unsigned char* text = sqlite3_column_text(c.statement, f);
            row.push_back(textOf(text, sqlite3_column_bytes(c.statement, f)));
        }
        cells.push_back(std::move(row));
    }
    if (step != SQLITE_DONE)
        missing(file, table, "파일을 읽을 수 없습니다 (" + std::string(sqlite3_errmsg(c.db)) + ").");
    return LookupTable(table, std::move(cells));
}

}  // namespace verosa::tables
