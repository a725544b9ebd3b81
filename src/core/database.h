#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/sql.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qz {

// Imports the rows of a run's SQL script straight into an SQLite database
// file, the same CREATE statement and the same values, so that the table
// keeps the rows that loading the script would keep.
//
// The target also gets an index on the columns that name a build (project,
// platform, githash, date, time), for the report.
//
// Rows are collected in a private temporary database while the input is
// read; commit() then copies them into the target in one short
// transaction, so that parallel runs importing into one database wait for
// each other's copy only, never for a whole conversion. A failure at any
// point leaves the target as it was. A failure while rows are collected (a
// full temporary folder, too little memory) must not stop the conversion:
// the rows are no longer collected, and commit() reports the first reason.
class DatabaseImport : public RowSink {
 public:
  // Opens the private collection; the target is not touched before commit().
  explicit DatabaseImport(std::string target_path);
  ~DatabaseImport() override;
  DatabaseImport(const DatabaseImport&) = delete;
  DatabaseImport& operator=(const DatabaseImport&) = delete;

  void begin_table(const SqlTable& table, std::span<const SqlValue> run_values) override;
  void add_row(std::span<const SqlValue> values) override;

  // Copies the collected rows into the target (created if missing): the
  // CREATE statement and all rows in one transaction. Throws RunError with
  // SQLite's message or ours, also for running out of memory; a target file
  // this run created is removed again.
  void commit();

 private:
  void open_collection();
  void collect_table(const SqlTable& table, std::span<const SqlValue> run_values);
  void collect_row(std::span<const SqlValue> values);
  void copy_into_target();
  // Runs a step of collecting; a failure is kept, and ends the collecting.
  template <typename Step>
  void collecting(Step step);
  void execute(const std::string& sql);
  void bind(sqlite3_stmt* statement, int column, const SqlValue& value);
  void copy_rows();
  std::string build_index() const;
  [[noreturn]] void fail(const std::string& reason);

  std::string target_path_;
  std::string collection_failure_;  // the first reason collecting stopped
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  std::string create_;  // the table's CREATE statement
  std::string table_;
  std::string columns_;  // the column list of the INSERT, as written
  std::vector<std::pair<std::string, bool>> run_values_;  // text, quoted
  std::size_t row_width_ = 0;  // values per row behind the run's values
};

}  // namespace qz
