#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qz::test {

// The private PostgreSQL server that CTest starts for the tests
// (scripts/postgresql-server.sh, through the fixture in tests/CMakeLists.txt).
class PostgresqlServer {
 public:
  // The server described by the state directory that `start` filled, if it runs.
  static std::optional<PostgresqlServer> find(const std::string& state_dir);

  // A new, empty database of that name, owned by the role "qz".
  void create_database(const std::string& name) const;
  // The URI of a database as "qz", with the password, over TCP.
  std::string uri(const std::string& database) const;
  // Runs SQL as the superuser over the socket; the rows, each row's columns
  // joined by "|" (NULL as "NULL"). Throws std::runtime_error on failure.
  std::vector<std::string> query(const std::string& database, const std::string& sql) const;

  int port = 0;
  std::string socket_dir;
};

}  // namespace qz::test
