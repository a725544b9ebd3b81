#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/file.h"
#include "core/libpq.h"

namespace qz {

// A failure of a PostgreSQL command, with the SQLSTATE code the server sent
// (empty where the failure was the client's or the connection's).
class PgError : public RunError {
 public:
  PgError(Step step, const std::string& reason, std::string sqlstate)
      : RunError(step, reason), sqlstate_(std::move(sqlstate)) {}
  const std::string& sqlstate() const { return sqlstate_; }

 private:
  std::string sqlstate_;
};

// The result of one command, cleared when it goes out of scope.
class PgResult {
 public:
  PgResult(const Libpq& pq, PGresult* result) : pq_(&pq), result_(result) {}
  ~PgResult() { pq_->clear(result_); }
  PgResult(PgResult&& other) noexcept : pq_(other.pq_), result_(other.result_) {
    other.result_ = nullptr;
  }
  PgResult(const PgResult&) = delete;
  PgResult& operator=(const PgResult&) = delete;
  PgResult& operator=(PgResult&&) = delete;

  int rows() const { return pq_->ntuples(result_); }
  int columns() const { return pq_->nfields(result_); }
  // A value as text; nothing for NULL.
  std::optional<std::string_view> value(int row, int column) const;

 private:
  const Libpq* pq_;
  PGresult* result_;
};

// One connection to a PostgreSQL server, named by a libpq connection URI.
// Everything libpq reads besides the URI applies (PGPASSWORD, the password
// file, PGSERVICE, ...); the attempt gives up after 10 s unless the URI or
// PGCONNECT_TIMEOUT says otherwise; texts are exchanged in UTF-8; the
// server's notices are dropped. Every failure throws PgError of `step`, as
// one line, with no password in it. Closing the connection ends an open
// transaction without its changes.
class PgConnection {
 public:
  PgConnection(const std::string& uri, RunError::Step step);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // Begins a transaction (`mode` as BEGIN takes it) with lock and statement
  // timeouts of 60 s.
  void begin(std::string_view mode = {});
  // Runs one or more commands without parameters.
  PgResult exec(const std::string& sql);
  // Runs one command whose $1, $2, ... take `parameters`, as texts.
  PgResult exec(const std::string& sql, std::span<const std::string> parameters);
  // Runs a COPY ... FROM STDIN that is sent what `next` gives until it
  // gives nothing.
  void copy_in(const std::string& sql, const std::function<std::string_view()>& next);
  // Whether the connection to the server is gone.
  bool lost() const;

 private:
  // Takes `result` over; throws unless its status is one of the two.
  PgResult checked(PGresult* result, ExecStatusType expected, ExecStatusType or_else);
  [[noreturn]] void fail(const std::string& reason, std::string sqlstate = {}) const;
  [[noreturn]] void fail_with_connection_message() const;

  const Libpq* pq_ = nullptr;
  PGconn* connection_ = nullptr;
  std::string uri_;
  RunError::Step step_;
};

}  // namespace qz
