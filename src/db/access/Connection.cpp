#include "db/access/Connection.h"

#include <sqlite3.h>

#include "compute/OrderedMap.h"

namespace qzdbs::db {

Connection::~Connection() {
  Close();
}

std::string Connection::Field(const std::string& connectionString, const std::string& key) {
  const std::string wanted = FoldCase(key) + "=";
  size_t start = 0;
  while (start <= connectionString.size()) {
    size_t end = connectionString.find(';', start);
    if (end == std::string::npos) end = connectionString.size();
    std::string part = connectionString.substr(start, end - start);
    if (FoldCase(part.substr(0, wanted.size())) == wanted) return part.substr(wanted.size());
    start = end + 1;
  }
  return {};
}

void Connection::Open(const std::string&, const std::string&) {
  Close();
  const std::string file = Field(ConnectionString, "Dbq");
  if (file.empty()) throw DbError("连接字符串中没有数据库文件 (Dbq): " + ConnectionString);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK) {
    // Reading the schema proves the file is a database, not just any file.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) {
    std::string why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close(db);
    throw DbError("无法打开零件库 \"" + file + "\": " + why);
  }
  db_ = db;
}

void Connection::Close() {
  if (db_) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }
}

}  // namespace qzdbs::db
