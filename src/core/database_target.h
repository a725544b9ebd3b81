#pragma once

#include <string>
#include <string_view>

namespace qz {

// What --database names: a PostgreSQL server when the value is a
// postgresql:// or postgres:// URI, otherwise an SQLite database file.
bool is_postgresql_uri(std::string_view target);

// `uri` as messages show it: a password in its user part or in a password
// parameter is replaced by "***".
std::string masked_uri(std::string_view uri);

// `message` with every password that `uri` holds, as written or decoded,
// replaced by "***": libpq quotes parts of a URI it cannot parse.
std::string without_passwords(std::string message, std::string_view uri);

// SQLite reads some names as something other than a file (":memory:",
// "file:" URIs, which Debian's build accepts everywhere): a value of
// --database is always a plain path, so a relative one is given to SQLite
// as "./name", and on Windows in UTF-8.
std::string sqlite_file_name(const std::string& path);

// Why `path` cannot name an SQLite database file, or empty: something that
// exists but is not a regular file (a device, a FIFO, a folder), an
// absolute path longer than SQLite takes, and on Windows a colon behind the
// drive, which names an alternate data stream or nothing valid.
std::string sqlite_file_refusal(const std::string& path);

}  // namespace qz
