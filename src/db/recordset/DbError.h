// The one failure type of the database access layer; its text is what a
// reader shows as "the failure's own description".
#pragma once

#include <stdexcept>

namespace qzdbs::db {

class DbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qzdbs::db
