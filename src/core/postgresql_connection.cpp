#include "core/postgresql_connection.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "core/database_target.h"

namespace qz {
namespace {

constexpr const char* kDefaultConnectSeconds = "10";

// libpq's messages span lines ("...failed: Connection refused\n\tIs the
// server running...?"); ours are one line each.
std::string one_line(std::string_view message) {
  std::string line;
  bool blank = false;
  bool line_break = false;
  for (const char c : message) {
    if (c == '\n' || c == '\r' || c == '\t' || c == ' ') {
      blank = !line.empty();
      line_break = line_break || c == '\n';
      continue;
    }
    // A line that begins a sentence ends one.
    if (line_break && blank && std::isalnum(static_cast<unsigned char>(line.back())) &&
        std::isupper(static_cast<unsigned char>(c))) {
      line += '.';
    }
    if (blank) line += ' ';
    blank = line_break = false;
    line += c;
  }
  return line;
}

void drop_notice(void*, const char*) {}

}  // namespace

std::optional<std::string_view> PgResult::value(int row, int column) const {
  if (pq_->getisnull(result_, row, column) != 0) return std::nullopt;
  return std::string_view(pq_->getvalue(result_, row, column),
                          static_cast<std::size_t>(pq_->getlength(result_, row, column)));
}

PgConnection::PgConnection(const std::string& uri, RunError::Step step) : uri_(uri), step_(step) {
  std::string reason;
  pq_ = load_libpq(reason);
  if (pq_ == nullptr) fail(reason);
  // Later entries win over what the URI says, earlier ones give way to it.
  std::vector<const char*> keywords;
  std::vector<const char*> values;
  if (std::getenv("PGCONNECT_TIMEOUT") == nullptr) {
    keywords.push_back("connect_timeout");
    values.push_back(kDefaultConnectSeconds);
  }
  keywords.insert(keywords.end(), {"fallback_application_name", "dbname", "client_encoding"});
  values.insert(values.end(), {"QZTestResult", uri.c_str(), "UTF8"});
  keywords.push_back(nullptr);
  values.push_back(nullptr);
  connection_ = pq_->connectdb_params(keywords.data(), values.data(), 1);
  if (connection_ == nullptr) fail("out of memory");
  if (pq_->status(connection_) != CONNECTION_OK) {
    const std::string reason = one_line(pq_->error_message(connection_));
    pq_->finish(connection_);
    connection_ = nullptr;
    fail("cannot connect to " + masked_uri(uri) + ": " + reason);
  }
  pq_->set_notice_processor(connection_, drop_notice, nullptr);
}

PgConnection::~PgConnection() {
  if (connection_ != nullptr) pq_->finish(connection_);
}

void PgConnection::fail(const std::string& reason, std::string sqlstate) const {
  throw PgError(step_, without_passwords(reason, uri_), std::move(sqlstate));
}

void PgConnection::fail_with_connection_message() const {
  fail(one_line(pq_->error_message(connection_)));
}

// Each timeout like SQLite's busy timeout.
void PgConnection::begin(std::string_view mode) {
  exec("begin " + std::string(mode) +
       "; set local lock_timeout = '60s'; set local statement_timeout = '60s';");
}

bool PgConnection::lost() const { return pq_->status(connection_) == CONNECTION_BAD; }

// The server's own words where it sent any (its message, and the detail
// where there is one), otherwise libpq's.
PgResult PgConnection::checked(PGresult* raw, ExecStatusType expected, ExecStatusType or_else) {
  if (raw == nullptr) fail_with_connection_message();
  PgResult result(*pq_, raw);
  const ExecStatusType status = pq_->result_status(raw);
  if (status == expected || status == or_else) return result;
  const char* primary = pq_->result_error_field(raw, PG_DIAG_MESSAGE_PRIMARY);
  if (primary == nullptr) fail_with_connection_message();
  std::string reason = primary;
  if (const char* detail = pq_->result_error_field(raw, PG_DIAG_MESSAGE_DETAIL)) {
    reason += " (" + std::string(detail) + ")";
  }
  const char* sqlstate = pq_->result_error_field(raw, PG_DIAG_SQLSTATE);
  fail(one_line(reason), sqlstate != nullptr ? sqlstate : "");
}

PgResult PgConnection::exec(const std::string& sql) {
  return checked(pq_->exec(connection_, sql.c_str()), PGRES_COMMAND_OK, PGRES_TUPLES_OK);
}

PgResult PgConnection::exec(const std::string& sql, std::span<const std::string> parameters) {
  std::vector<const char*> texts;
  for (const std::string& parameter : parameters) texts.push_back(parameter.c_str());
  PGresult* raw = pq_->exec_params(connection_, sql.c_str(), static_cast<int>(texts.size()),
                                   nullptr, texts.data(), nullptr, nullptr, 0);
  return checked(raw, PGRES_COMMAND_OK, PGRES_TUPLES_OK);
}

void PgConnection::copy_in(const std::string& sql, const std::function<std::string_view()>& next) {
  checked(pq_->exec(connection_, sql.c_str()), PGRES_COPY_IN, PGRES_COPY_IN);
  bool sent = true;
  for (std::string_view block = next(); sent && !block.empty(); block = next()) {
    sent = pq_->put_copy_data(connection_, block.data(), static_cast<int>(block.size())) == 1;
  }
  if (!sent || pq_->put_copy_end(connection_, nullptr) != 1) fail_with_connection_message();
  // The outcome comes as one result; the connection is ready again once
  // every result has been taken.
  PGresult* outcome = nullptr;
  while (PGresult* raw = pq_->get_result(connection_)) {
    if (outcome == nullptr) {
      outcome = raw;
    } else {
      pq_->clear(raw);
    }
  }
  checked(outcome, PGRES_COMMAND_OK, PGRES_COMMAND_OK);
}

}  // namespace qz
