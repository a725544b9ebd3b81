#pragma once

#include <libpq-fe.h>

#include <string>

namespace qz {

// The functions of libpq, PostgreSQL's client library, which is loaded
// from the system (libpq.so.5, libpq.dll) only when a run talks to a
// server: the program itself needs nothing beyond the C library, and
// SQLite users need no libpq. The types are those of libpq-fe.h.
struct Libpq {
  decltype(&PQconnectdbParams) connectdb_params;
  decltype(&PQstatus) status;
  decltype(&PQerrorMessage) error_message;
  decltype(&PQfinish) finish;
  decltype(&PQsetNoticeProcessor) set_notice_processor;
  decltype(&PQexec) exec;
  decltype(&PQexecParams) exec_params;
  decltype(&PQresultStatus) result_status;
  decltype(&PQresultErrorField) result_error_field;
  decltype(&PQclear) clear;
  decltype(&PQntuples) ntuples;
  decltype(&PQnfields) nfields;
  decltype(&PQgetvalue) getvalue;
  decltype(&PQgetlength) getlength;
  decltype(&PQgetisnull) getisnull;
  decltype(&PQputCopyData) put_copy_data;
  decltype(&PQputCopyEnd) put_copy_end;
  decltype(&PQgetResult) get_result;
};

// The library, loaded on the first call and kept for the life of the
// process; nullptr, with the reason in `reason`, where it cannot be loaded.
const Libpq* load_libpq(std::string& reason);

}  // namespace qz
