// Opening and closing the shared library connection.
#include "db/LibraryDB.h"

#include <exception>
#include <memory>

#include "db/recordset/Connection.h"
#include "state/EngineState.h"

namespace qzdbs {

std::string LibraryFolder(const std::string& path) {
  size_t last = path.find_last_of("/\\");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string LibraryConnectionString(const std::string& folder, const std::string& path,
                                    const std::string& password) {
  return "Driver={Microsoft Access Driver (*.mdb)};" + ("Dbq=" + db::Connection::Quote(path)) +
         ";" + ("DefaultDir=" + db::Connection::Quote(folder)) + ";" +
         ("Uid=Admin;Pwd=" + password) + ";";
}

bool OpenLibraryDB(std::string folder, std::string path, const std::string& password) {
  try {
    auto& connection = Engine().LibraryConnection;
    if (!connection) connection = std::make_shared<db::Connection>();
    if (connection->State() == db::ObjectState::Open) connection->Close();
    connection->ConnectionString = LibraryConnectionString(folder, path, password);
    if (connection->State() == db::ObjectState::Closed) connection->Open({}, {});
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void CloseLibraryDB() {
  auto& connection = Engine().LibraryConnection;
  if (connection && connection->State() == db::ObjectState::Open) connection->Close();
  connection.reset();
}

}  // namespace qzdbs
