// The real tool against database files that a damaged or unusual server
// leaves behind. Every file gives the correct list or "打开数据库失败",
// never a crash, a hang or a shortened list, and every run leaves the
// file's bytes and modification time as they were.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "tests/app_hostile_run.h"

using e2e::Record;
using e2e::Row;
using hostile::Listed;
using hostile::Refused;
using hostile::Seen;

namespace {


struct DbCase {
  const char* name;
  std::function<void(const std::string& path)> make;  // writes the file at path
  Seen expected;
  const char* folder = nullptr;  // C:\<folder>\config\quillnode.db; default mle_db_<name>
};

std::string FolderOf(const DbCase& c) { return c.folder ? c.folder : std::string("mle_db_") + c.name; }

// Starts the tool on each case's file and compares what it shows; the
// file must be exactly as before the run.
void RunCases(const std::vector<DbCase>& cases) {
  for (const DbCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string folder = "C:\\" + FolderOf(c);
    std::string path = folder + "\\config\\quillnode.db";
    e2e::RemoveDatabase(path);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\config").c_str(), nullptr);
    c.make(path);
    driver::FileSnapshot before = driver::SnapshotOf(path);
    e2e::SetImagePath(folder + "\\server64.exe");
    Seen seen;
    EXPECT_TRUE(hostile::RunOnce(&seen)) << "the tool did not start, or did not end normally";
    EXPECT_EQ(seen, c.expected);
    driver::FileSnapshot after = driver::SnapshotOf(path);
    EXPECT_TRUE(after.bytes == before.bytes) << "the database's bytes changed";
    EXPECT_EQ(after.lastWrite, before.lastWrite) << "the database was written";
  }
}

std::vector<Record> Machines(int count) {
  std::vector<Record> records;
  for (int i = 1; i <= count; i++) {
    char name[16], mac[24];
    snprintf(name, sizeof name, "PC%03d", i);
    snprintf(mac, sizeof mac, "00-11-22-33-%02X-%02X", i >> 8, i & 0xFF);
    records.push_back({name, mac, model::StoredIp(10, 0, i >> 8, i & 0xFF)});
  }
  return records;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

std::function<void(const std::string&)> Good(std::vector<Record> records) {
  return [=](const std::string& path) { e2e::WriteDatabase(path, records); };
}

std::function<void(const std::string&)> Sql(std::string sql) {
  return [=](const std::string& path) { ASSERT_TRUE(e2e::WriteDatabaseSql(path, sql)) << sql; };
}

// A good file of many pages, then changed as bytes.
std::function<void(const std::string&)> Damaged(std::function<void(std::string&)> damage) {
  return [=](const std::string& path) {
    e2e::WriteDatabase(path, Machines(400));
    std::string bytes = driver::ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 4u * 4096);
    damage(bytes);
    WriteBytes(path, bytes);
  };
}

// Three machines in the server's table, the middle one stored with the
// given SQL values.
std::string MiddleRecordSql(const std::string& machine, const std::string& mac, const std::string& ip) {
  auto insert = [](const std::string& values) {
    return "INSERT INTO tPcBaseInfo (MACHINE, mac, ip) VALUES (" + values + ");";
  };
  return std::string(model::kCreateTableSql) + ";" + insert("'PC01', 'AA', 1") +
         insert(machine + ", " + mac + ", " + ip) + insert("'PC03', 'CC', 3");
}

Seen ThreeRows(const Row& middle) { return Listed({{"PC01", "AA", "1.0.0.0"}, middle, {"PC03", "CC", "3.0.0.0"}}); }

TEST(HostileDatabase, FilesThatAreNotTheServersTableAreRefused) {
  RunCases({
      {"not_a_database", [](const std::string& p) { WriteBytes(p, std::string(8192, 'x') + "not a database"); }, Refused()},
      {"empty_file", [](const std::string& p) { WriteBytes(p, ""); }, Refused()},
      {"cut_in_half", Damaged([](std::string& b) { b.resize(b.size() / 2); }), Refused()},
      {"zeroed_page", Damaged([](std::string& b) { std::fill(b.begin() + 3 * 4096, b.begin() + 4 * 4096, '\0'); }),
       Refused()},
      {"no_table", Sql("CREATE TABLE other (MACHINE TEXT, mac TEXT, ip); INSERT INTO other VALUES ('PC01', 'AA', 1);"),
       Refused()},
      {"no_MACHINE", Sql("CREATE TABLE tPcBaseInfo (name TEXT, mac TEXT, ip); INSERT INTO tPcBaseInfo VALUES ('PC01', 'AA', 1);"),
       Refused()},
      {"no_mac", Sql("CREATE TABLE tPcBaseInfo (MACHINE TEXT, addr TEXT, ip); INSERT INTO tPcBaseInfo VALUES ('PC01', 'AA', 1);"),
       Refused()},
      {"no_ip", Sql("CREATE TABLE tPcBaseInfo (MACHINE TEXT, mac TEXT, addr); INSERT INTO tPcBaseInfo VALUES ('PC01', 'AA', 1);"),
       Refused()},
  });
}

TEST(HostileDatabase, EveryMachineIsListedWhateverItsBytes) {
  const std::string longName(100000, 'N');
  const std::vector<Record> marks = {
      {"it's \"quoted\"", "a'b\"c", "1';\""},
      {"x;DELETE FROM tPcBaseInfo;--", "m;n", "2;3"},
      {"100%d%s%n%%", "%SystemRoot%", "%3"},
  };
  RunCases({
      // Bytes that are not UTF-8 and BLOBs: '?' stands for each byte that
      // cannot be converted, and the machine is still listed.
      {"bad_utf8_MACHINE", Sql(MiddleRecordSql("CAST(x'5043ff3032' AS TEXT)", "'BB'", "2")), ThreeRows({"PC?02", "BB", "2.0.0.0"})},
      {"bad_utf8_mac", Sql(MiddleRecordSql("'PC02'", "CAST(x'4242fe' AS TEXT)", "2")), ThreeRows({"PC02", "BB?", "2.0.0.0"})},
      {"bad_utf8_ip", Sql(MiddleRecordSql("'PC02'", "'BB'", "CAST(x'3139ff32' AS TEXT)")), ThreeRows({"PC02", "BB", "19.0.0.0"})},
      {"blob_MACHINE", Sql(MiddleRecordSql("x'5043ff3032'", "'BB'", "2")), ThreeRows({"PC?02", "BB", "2.0.0.0"})},
      {"blob_mac", Sql(MiddleRecordSql("'PC02'", "x'42422d3032'", "2")), ThreeRows({"PC02", "BB-02", "2.0.0.0"})},
      {"blob_ip", Sql(MiddleRecordSql("'PC02'", "'BB'", "x'3139'")), ThreeRows({"PC02", "BB", "19.0.0.0"})},
      {"name_of_100000_bytes", Good({{longName, "AA", "1"}, {"PC02", "BB", "2"}}),
       Listed({{longName, "AA", "1.0.0.0"}, {"PC02", "BB", "2.0.0.0"}})},
      {"quotes_semicolons_percents", Good(marks),
       Listed({{"it's \"quoted\"", "a'b\"c", "1.0.0.0"},
               {"x;DELETE FROM tPcBaseInfo;--", "m;n", "2.0.0.0"},
               {"100%d%s%n%%", "%SystemRoot%", "0.0.0.0"}})},
      {"no_rows", Good({}), Listed({})},
  });
}

// Rows committed in WAL mode and not yet copied into the database file:
// the connection ends without a checkpoint, so they live in the -wal file.
void WriteWalDatabase(const std::string& path) {
  e2e::WriteDatabase(path, Machines(2));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);  // an ASCII path
  sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  Record third = Machines(3)[2];
  std::string sql = "INSERT INTO tPcBaseInfo (MACHINE, mac, ip) VALUES ('" + third.Text(model::kNameField) + "', '" +
                    third.Text(model::kMacField) + "', " + third.Text(model::kIpField) + ")";
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  ASSERT_TRUE(driver::FileExists(path + "-wal"));
}

TEST(HostileDatabase, JournalModesAttributesAndFolders) {
  RunCases({
      {"wal_not_checkpointed", WriteWalDatabase, Listed(model::Shown(Machines(3)))},
      {"read_only_file",
       [](const std::string& p) {
         e2e::WriteDatabase(p, Machines(3));
         SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_READONLY);
       },
       Listed(model::Shown(Machines(3)))},
      {"chinese_folder", Good(Machines(3)), Listed(model::Shown(Machines(3))), "mle_db_机房数据"},
  });
}

// A server that died inside a write transaction leaves a hot journal: the
// database file already holds changed pages, the -journal file the pages
// as they were. SQLite must roll it back before it can read, so this is
// the one case where opening writes to the file.
TEST(HostileDatabase, HotJournalIsRolledBackToTheCommittedRows) {
  const std::string folder = "C:\\mle_db_hot_journal";
  const std::string path = folder + "\\config\\quillnode.db";
  const std::string work = folder + "\\work\\quillnode.db";
  e2e::RemoveDatabase(path);
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\config").c_str(), nullptr);
  e2e::WriteDatabase(work, Machines(400));
  const std::string committed = driver::ReadFileBytes(work);

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(work.c_str(), &db), SQLITE_OK);
  // A cache of few pages spills changed pages into the file before the
  // commit, after the journal has been written and synced.
  sqlite3_exec(db, "PRAGMA cache_size=2; BEGIN; UPDATE tPcBaseInfo SET MACHINE = 'CHANGED', mac = 'CHANGED';",
               nullptr, nullptr, nullptr);
  // Read with sharing: the writer still holds both files open.
  WriteBytes(path, driver::ReadFileBytes(work));
  WriteBytes(path + "-journal", driver::ReadFileBytes(work + "-journal"));
  ASSERT_GT(driver::ReadFileBytes(path + "-journal").size(), 512u);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const std::string crashed = driver::ReadFileBytes(path);
  ASSERT_NE(crashed, committed) << "the changed pages did not reach the file: no hot journal";

  e2e::SetImagePath(folder + "\\server64.exe");
  Seen seen;
  EXPECT_TRUE(hostile::RunOnce(&seen));
  EXPECT_EQ(seen, Listed(model::Shown(Machines(400))));
  std::string after = driver::ReadFileBytes(path);
  bool journalLeft = driver::FileExists(path + "-journal");
  printf("hot journal: file %s, journal %s\n",
         after == committed ? "rolled back to the committed bytes" : after == crashed ? "unchanged" : "changed otherwise",
         journalLeft ? "left in place" : "removed");
  EXPECT_EQ(after, committed);
  EXPECT_FALSE(journalLeft);
}

}  // namespace
