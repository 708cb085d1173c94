#include "db/LibraryDB.h"

#include "db/access/Connection.h"
#include "engine/EngineState.h"

namespace qzdbs {

void CloseLibraryDB() {
  auto& connection = Engine().LibraryConnection;
  if (connection && connection->State() == db::ObjectState::Open) connection->Close();
  connection.reset();
}

}  // namespace qzdbs
