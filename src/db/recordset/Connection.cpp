// The library connection: parses the file out of the connection string and
// opens it read-only.
#include "db/recordset/Connection.h"

#include "base/OrderedMap.h"

namespace qzdbs::db {

Connection::~Connection() = default;

namespace {

// The value starting at `at`, and where its field ends.
std::pair<std::string, size_t> ValueAt(const std::string& text, size_t at) {
  if (at < text.size() && text[at] == '{') {
    std::string value;
    for (size_t i = at + 1; i < text.size(); ++i) {
      if (text[i] != '}') {
        value += text[i];
      } else if (i + 1 < text.size() && text[i + 1] == '}') {
        value += '}';
        ++i;
      } else {
        const size_t end = text.find(';', i);
        return {value, end == std::string::npos ? text.size() : end};
      }
    }
    return {value, text.size()};
  }
  size_t end = text.find(';', at);
  if (end == std::string::npos) end = text.size();
  return {text.substr(at, end - at), end};
}

}  // namespace

std::string Connection::Field(const std::string& connectionString, const std::string& key) {
  const std::string wanted = FoldCase(key) + "=";
  size_t start = 0;
  while (start <= connectionString.size()) {
    const bool match = FoldCase(connectionString.substr(start, wanted.size())) == wanted;
    const size_t equals = connectionString.find('=', start);
    const size_t semicolon = connectionString.find(';', start);
    if (equals == std::string::npos || equals > semicolon) {
      if (semicolon == std::string::npos) break;
      start = semicolon + 1;
      continue;
    }
    auto [value, end] = ValueAt(connectionString, equals + 1);
    if (match) return value;
    start = end + 1;
  }
  return {};
}

std::string Connection::Quote(const std::string& value) {
  if (value.find_first_of(";{}") == std::string::npos && (value.empty() || value[0] != ' '))
    return value;
  std::string quoted = "{";
  for (char c : value)
    quoted += c == '}' ? std::string("}}") : std::string(1, c);
  return quoted + "}";
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
