#pragma once

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/sql.h"

namespace qz {

// Where --database sends the rows of a run besides its script: an SQLite
// file or, for a postgresql:// URI, a PostgreSQL server. database_reader.h
// is the reading side of the same databases.
//
// The rows are collected while the input is read; commit() puts them into
// the database in one short transaction, so that parallel runs importing
// into one database wait for each other's commit only, never for a whole
// conversion. A failure at any point leaves the database as it was. A
// failure while rows are collected (a full temporary folder, too little
// memory) must not stop the conversion: the rows are no longer collected,
// and commit() reports the first reason.
//
// The target also gets an index on the columns that name a build (project,
// platform, githash, date, time), for the report.
class DatabaseImport : public RowSink {
 public:
  // Puts the collected rows into the database: the table, created if
  // missing, and all rows, in one transaction. Throws RunError
  // (Step::kWriteDatabase) with the reason, also for running out of memory.
  virtual void commit() = 0;

  // What the user should know about an import that succeeded, one line each.
  virtual std::vector<std::string> notes() const { return {}; }
};

// The index every imported table gets on the columns that name a build, so
// that the report finds the builds and reads one build's rows without
// reading the whole table. `schema` ("target." or empty) qualifies the
// index's name.
std::string build_index_statement(std::string_view schema, std::string_view table);

// The import into the database that `target` names; nothing is written to
// it before commit() (an SQLite file's header is read at once, for its text
// encoding).
std::unique_ptr<DatabaseImport> open_database_import(const std::string& target);

// The steps of collecting rows: the first failure is kept and ends the
// collecting, so that the conversion goes on.
class RowCollection {
 public:
  template <typename Step>
  void run(Step step) {
    if (!failure_.empty()) return;
    try {
      step();
    } catch (const RunError& error) {
      failure_ = error.what();
    } catch (const std::bad_alloc&) {
      failure_ = "out of memory";
    }
  }

  // Throws the kept failure, if there is one.
  void throw_failure() const {
    if (!failure_.empty()) throw RunError(RunError::Step::kWriteDatabase, failure_);
  }

 private:
  std::string failure_;
};

}  // namespace qz
