// The table store: the shipped table files built beside the test program, the
// grid numbering the analyses rely on, and a missing file or table.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "numeric/Result.h"
#include "tables/LookupTable.h"

using verosa::ErrorKind;
using verosa::Failure;
using verosa::tables::LookupTable;
using verosa::tables::LookupTableStore;

namespace {

namespace fs = std::filesystem;

// The error of a call that must fail.
template <class F>
verosa::Error failureOf(F&& f) {
    return verosa::test::expectFailure(f);
}

// A fresh empty folder under the system's temporary folder.
fs::path scratchFolder(const std::string& name) {
    fs::path folder = fs::temp_directory_path() / ("verosa-tables-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

}  // namespace

TEST(TableStore, FindsTheTableFilesBesideTheProgram) {
    const LookupTableStore store;
    EXPECT_TRUE(fs::exists(store.folder() / LookupTableStore::kQoraFile)) << store.folder();
    EXPECT_TRUE(fs::exists(store.folder() / LookupTableStore::kFactorFile)) << store.folder();
}

// Installed, the programs stand in bin and the table files in share/verosa;
// a build keeps them beside the programs, which wins where both are.
TEST(TableStore, FindsTheInstalledTableFilesBesideTheBinFolder) {
    const fs::path prefix = scratchFolder("prefix");
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "verosa");
    // Nothing anywhere: the program's own folder, where a missing file is named.
    EXPECT_EQ(LookupTableStore::tableFolderFor(prefix / "bin"), prefix / "bin");
    fs::copy_file(LookupTableStore().folder() / LookupTableStore::kFactorFile,
                  prefix / "share" / "verosa" / LookupTableStore::kFactorFile);
    const fs::path installed = LookupTableStore::tableFolderFor(prefix / "bin");
    EXPECT_EQ(installed, prefix / "share" / "verosa");
    EXPECT_GT(LookupTableStore(installed).open(LookupTableStore::kFactorFile, "2-3-9").rows(), 1);
    std::ofstream(prefix / "bin" / LookupTableStore::kQoraFile) << "";
    EXPECT_EQ(LookupTableStore::tableFolderFor(prefix / "bin"), prefix / "bin");
    fs::remove_all(prefix);
}

TEST(TableStore, GridHasFieldNamesInRowZeroAndAnEmptyColumnZero) {
    // 4-2: 7 fields, 5 records (levels A to E).
    const LookupTable t = LookupTableStore().open(LookupTableStore::kQoraFile, "4-2");
    EXPECT_EQ(t.name(), "4-2");
    EXPECT_EQ(t.rows(), 6);
    EXPECT_EQ(t.cols(), 8);
    EXPECT_EQ(t.cell(0, 0), "");
    EXPECT_EQ(t.cell(0, 1), "density_max_pcpkmpl");
    EXPECT_EQ(t.cell(0, 7), "vc_80");
    for (int r = 0; r < t.rows(); ++r) EXPECT_EQ(t.cell(r, 0), "") << "row " << r;
}

TEST(TableStore, CellsAreAddressedByRecordAndFieldInFileOrder) {
    const LookupTableStore store;
    const LookupTable msf = store.open(LookupTableStore::kQoraFile, "4-2");
    EXPECT_EQ(msf.cell(1, 2), "690");   // LOS A, MSF at 120 km/h
    EXPECT_EQ(msf.cell(3, 5), "0.61");  // LOS C, v/c at 100 km/h
    EXPECT_EQ(msf.cell(5, 7), "1");     // LOS E, v/c at 80 km/h
    EXPECT_DOUBLE_EQ(msf.number(4, 4), 1760.0);

    // 4-3 row 8, column 8: three or more lanes, obstruction < 0.5 m, both
    // sides, lane width 2.75-3.00 m.
    const LookupTable fw = store.open(LookupTableStore::kQoraFile, "4-3");
    EXPECT_EQ(fw.rows(), 9);
    EXPECT_EQ(fw.cols(), 9);
    EXPECT_EQ(fw.cell(8, 8), "0.7");

    // The last record of 4-5 (grade >= 8 %, longest class, share <= 50 %).
    const LookupTable e = store.open(LookupTableStore::kQoraFile, "4-5");
    EXPECT_EQ(e.rows(), 49);
    EXPECT_EQ(e.cell(48, 6), "4.5");

    // A table of the other file.
    const LookupTable bus = store.open(LookupTableStore::kFactorFile, "2-3-13");
    EXPECT_EQ(bus.cell(0, 4), "with_bay");
}

TEST(TableStore, CellTextIsKeptExactlyAsWritten) {
    // Record 8 of 2-3-13 starts with "0.90": stored and read as text, so the
    // trailing zero survives (a REAL column would give "0.9").
    const LookupTable bus = LookupTableStore().open(LookupTableStore::kFactorFile, "2-3-13");
    EXPECT_EQ(bus.cell(8, 1), "0.90");
    EXPECT_EQ(bus.cell(8, 2), "0.87");
}

TEST(TableStore, ACellOutsideTheGridIsAFailureNotZero) {
    const LookupTable t = LookupTableStore().open(LookupTableStore::kQoraFile, "4-2");
    for (auto [r, c] : {std::pair{6, 1}, {1, 8}, {-1, 1}, {1, -1}}) {
        const verosa::Error e = failureOf([&, r = r, c = c] { (void)t.number(r, c); });
        EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure) << r << "," << c;
        EXPECT_NE(e.message.find("4-2"), std::string::npos) << e.message;
    }
    const LookupTable none;
    EXPECT_EQ(failureOf([&] { (void)none.cell(0, 0); }).kind, ErrorKind::ArithmeticFailure);
}

TEST(TableStore, AMissingFileIsNamedAndNotCreated) {
    const fs::path folder = scratchFolder("missing");
    const LookupTableStore store(folder);
    const verosa::Error e = failureOf([&] { (void)store.open(LookupTableStore::kQoraFile, "4-3"); });
    EXPECT_EQ(e.kind, ErrorKind::MissingTable);
    EXPECT_NE(e.message.find("2001QORA.sqlite"), std::string::npos) << e.message;
    EXPECT_NE(e.message.find("4-3"), std::string::npos) << e.message;
    EXPECT_FALSE(fs::exists(folder / LookupTableStore::kQoraFile));
    fs::remove_all(folder);
}

TEST(TableStore, AMissingTableIsNamed) {
    const verosa::Error e = failureOf([] { (void)LookupTableStore().open(LookupTableStore::kFactorFile, "4-3"); });
    EXPECT_EQ(e.kind, ErrorKind::MissingTable);
    EXPECT_NE(e.message.find("factor.sqlite"), std::string::npos) << e.message;
    EXPECT_NE(e.message.find("\"4-3\""), std::string::npos) << e.message;
}

TEST(TableStore, AFileThatIsNoTableFileIsRefusedByName) {
    const fs::path folder = scratchFolder("garbage");
    std::ofstream(folder / LookupTableStore::kQoraFile) << "not a table file\n";
    const verosa::Error e = failureOf([&] { (void)LookupTableStore(folder).open(LookupTableStore::kQoraFile, "4-2"); });
    EXPECT_EQ(e.kind, ErrorKind::MissingTable);
    EXPECT_NE(e.message.find("2001QORA.sqlite"), std::string::npos) << e.message;
    fs::remove_all(folder);
}

// The build tool, run on a CSV with the cases the shipped tables do not have:
// empty cells, quoted fields with commas and quotes, CR LF line ends, and a
// one-field table whose empty line is an empty cell.
TEST(TableGenerator, KeepsEveryCellAsTextInFileOrder) {
    const fs::path folder = scratchFolder("gen");
    std::ofstream(folder / "9-1.csv", std::ios::binary) << "a,b,c\r\n0.90,,\"1,5\"\r\n,\"say \"\"x\"\"\",007\r\n";
    std::ofstream(folder / "9-2.csv", std::ios::binary) << "only\n1.0\n\n2\n";
    const fs::path tool = LookupTableStore().folder() / "verosa-tablegen";
    const std::string command = tool.string() + " " + (folder / "t.sqlite").string() + " " +
                                (folder / "9-1.csv").string() + " " + (folder / "9-2.csv").string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const LookupTableStore store(folder);
    const LookupTable t = store.open("t.sqlite", "9-1");
    ASSERT_EQ(t.rows(), 3);
    ASSERT_EQ(t.cols(), 4);
    EXPECT_EQ(t.cell(0, 3), "c");
    EXPECT_EQ(t.cell(1, 1), "0.90");
    EXPECT_EQ(t.cell(1, 2), "");
    EXPECT_EQ(t.cell(1, 3), "1,5");
    EXPECT_EQ(t.cell(2, 1), "");
    EXPECT_EQ(t.cell(2, 2), "say \"x\"");
    EXPECT_EQ(t.cell(2, 3), "007");
    EXPECT_DOUBLE_EQ(t.number(1, 2), 0.0);  // an empty cell reads as 0 through num()

    const LookupTable one = store.open("t.sqlite", "9-2");
    ASSERT_EQ(one.rows(), 4);
    EXPECT_EQ(one.cell(1, 1), "1.0");
    EXPECT_EQ(one.cell(2, 1), "");
    EXPECT_EQ(one.cell(3, 1), "2");
    fs::remove_all(folder);
}

TEST(TableGenerator, RefusesARecordWithTheWrongFieldCount) {
    const fs::path folder = scratchFolder("bad");
    std::ofstream(folder / "9-3.csv") << "a,b\n1,2\n3\n";
    const fs::path tool = LookupTableStore().folder() / "verosa-tablegen";
    const std::string command =
        tool.string() + " " + (folder / "t.sqlite").string() + " " + (folder / "9-3.csv").string() + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(fs::exists(folder / "t.sqlite"));
    fs::remove_all(folder);
}
