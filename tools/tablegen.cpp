// verosa-tablegen: turns the manual tables kept as CSV (data/tables/) into one
// SQLite table file.
//
//   verosa-tablegen OUTPUT.sqlite TABLE.csv...
//
// Each CSV becomes one SQL table named after the file's stem (its table number,
// "4-3"), with one TEXT column per field of the first line and one row per
// further line, inserted in file order so that rowid order is record order.
// Every cell is stored exactly as written: "0.90" stays "0.90", an empty cell is
// '' and never NULL. Fields may be quoted ("a,b", "say ""x"""); lines end in LF
// or CR LF; a UTF-8 byte-order mark is skipped. A record whose field count
// differs from the header's is an error, so a broken CSV stops the build.
//
// The file is written under a temporary name and renamed at the end, so an
// interrupted run never leaves a half-written table file behind.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tables/SqlIdentifier.h"

namespace {

namespace fs = std::filesystem;
using Record = std::vector<std::string>;

struct Csv {
    Record header;
    std::vector<Record> records;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// RFC 4180 with LF or CR LF. A final line terminator ends the last record; it
// does not start an empty one.
std::vector<Record> parseCsv(const std::string& text, const fs::path& path) {
    std::vector<Record> lines;
    std::size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    const std::size_t n = text.size();
    if (i == n) return lines;
    Record record;
    std::string field;
    int line = 1;
    while (true) {
        if (i < n && text[i] == '"') {
            ++i;
            while (true) {
                if (i == n)
                    throw std::runtime_error(path.string() + ":" + std::to_string(line) +
                                             ": unterminated quoted field");
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') ++line;
                field += text[i++];
            }
            if (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                throw std::runtime_error(path.string() + ":" + std::to_string(line) + ": text after a closing quote");
        } else {
            while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') field += text[i++];
        }
        record.push_back(std::move(field));
        field.clear();
        if (i < n && text[i] == ',') {
            ++i;
            continue;
        }
        // End of a record: CR LF, LF or the end of the text.
        if (i < n && text[i] == '\r') {
            if (i + 1 >= n || text[i + 1] != '\n')
                throw std::runtime_error(path.string() + ":" + std::to_string(line) + ": bare CR");
            ++i;
        }
        if (i < n) ++i;  // the LF
        lines.push_back(std::move(record));
        record.clear();
        ++line;
        if (i >= n) break;
    }
    return lines;
}

Csv readCsv(const fs::path& path) {
    std::vector<Record> lines = parseCsv(readFile(path), path);
    if (lines.empty()) throw std::runtime_error(path.string() + ": no header line");
    Csv csv;
    csv.header = std::move(lines.front());
    std::set<std::string> seen;
    for (const auto& name : csv.header) {
        if (name.empty()) throw std::runtime_error(path.string() + ": empty field name");
        if (!seen.insert(name).second) throw std::runtime_error(path.string() + ": field name twice: " + name);
    }
    for (std::size_t r = 1; r < lines.size(); ++r) {
        if (lines[r].size() != csv.header.size())
            throw std::runtime_error(path.string() + ":" + std::to_string(r + 1) + ": " +
                                     std::to_string(lines[r].size()) + " fields, the header has " +
                                     std::to_string(csv.header.size()));
        csv.records.push_back(std::move(lines[r]));
    }
    return csv;
}

class Database {
public:
    explicit Database(const fs::path& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            fail("cannot create " + path.string());
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : "unknown error";
            sqlite3_free(error);
            throw std::runtime_error(sql + ": " + message);
        }
    }

    void addTable(const std::string& name, const Csv& csv) {
        std::string create = "CREATE TABLE " + verosa::tables::sqlIdentifier(name) + " (";
        std::string insert = "INSERT INTO " + verosa::tables::sqlIdentifier(name) + " VALUES (";
        for (std::size_t c = 0; c < csv.header.size(); ++c) {
            create += (c ? ", " : "") + verosa::tables::sqlIdentifier(csv.header[c]) + " TEXT NOT NULL";
            insert += c ? ", ?" : "?";
        }
        exec(create + ")");
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, (insert + ")").c_str(), -1, &statement, nullptr) != SQLITE_OK)
            fail("cannot prepare the insert of table " + name);
        try {
            for (const auto& record : csv.records) {
                sqlite3_reset(statement);
                for (std::size_t c = 0; c < record.size(); ++c)
                    sqlite3_bind_text(statement, static_cast<int>(c + 1), record[c].c_str(),
                                      static_cast<int>(record[c].size()), SQLITE_TRANSIENT);
                if (sqlite3_step(statement) != SQLITE_DONE) fail("cannot insert into table " + name);
            }
        } catch (...) {
            sqlite3_finalize(statement);
            throw;
        }
        sqlite3_finalize(statement);
    }

private:
    [[noreturn]] void fail(const std::string& what) {
        throw std::runtime_error(what + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory"));
    }
    sqlite3* db_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: verosa-tablegen OUTPUT.sqlite TABLE.csv...\n";
        return 64;
    }
    const fs::path output = argv[1];
    fs::path temporary = output;
    temporary += ".tmp";
    try {
        fs::remove(temporary);
        {
            Database db(temporary);
            db.exec("BEGIN");
            std::set<std::string> names;
            for (int a = 2; a < argc; ++a) {
                const fs::path csvPath = argv[a];
                const std::string name = csvPath.stem().string();
                if (!names.insert(name).second) throw std::runtime_error("table given twice: " + name);
                db.addTable(name, readCsv(csvPath));
            }
            db.exec("COMMIT");
        }
        fs::rename(temporary, output);
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        std::cerr << "verosa-tablegen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
