// A connection to a part library, the stand-in for the platform's database
// connection: a connection string, a state, open and close. Libraries are
// only ever read, so the file is opened read-only.
#pragma once

#include <memory>
#include <string>

#include "db/recordset/DbError.h"
#include "db/recordset/SharedLibrary.h"

namespace qzdbs::db {

enum class ObjectState { Closed = 0, Open = 1 };

class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  std::string ConnectionString;

  // Opens the file named by "Dbq=" in ConnectionString; throws DbError naming
  // the file when it cannot be read as a library.
  void Open(const std::string& user = {}, const std::string& password = {});
  void Close();
  ObjectState State() const { return library_ ? ObjectState::Open : ObjectState::Closed; }

  // The open library; only while State() is Open.
  SharedLibrary& Library() const { return *library_; }

  // The value of a "Key=value;" field of a connection string (key in any
  // case). A value in braces ("Dbq={a;b}") holds any text, "}}" standing
  // for "}".
  static std::string Field(const std::string& connectionString, const std::string& key);
  // The value as a field holds it: in braces when it holds ';', '{' or '}'
  // or begins with a space, so that any path survives.
  static std::string Quote(const std::string& value);

 private:
  std::shared_ptr<SharedLibrary> library_;
};

}  // namespace qzdbs::db
