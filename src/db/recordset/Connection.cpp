// The library connection: parses the file out of the connection string and
// opens it read-only.
#include "db/recordset/Connection.h"

#include "base/OrderedMap.h"

namespace qzdbs::db {

Connection::~Connection() = default;

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
  library_ = ShareLibraryFile(file);
}

void Connection::Close() {
  library_.reset();
}

}  // namespace qzdbs::db
