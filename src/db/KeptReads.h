// What a reader made of a query's result, kept per thread while that result
// lives: a batch draws every row of a part, and what the part's definition
// reads is the same for each, so each drawing takes a copy instead of
// reading and indexing it again. The library's results live as long as it
// stays open, and a library is only ever read.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <utility>

#include "db/recordset/SharedLibrary.h"

namespace qzdbs::db {

template <typename Value>
class KeptReads {
 public:
  // At most `limit` values; a full store starts again empty.
  explicit KeptReads(size_t limit) : limit_(limit) {}

  // The value kept for `source` read by `reader` (which tells two readers of
  // one result apart), or null.
  const Value* Find(const std::shared_ptr<const QueryResult>& source,
                    const void* reader = nullptr) {
    const auto found = kept_.find(source.get());
    if (found == kept_.end()) return nullptr;
    // Another result may have taken the address of one that is gone.
    if (found->second.source.lock() == source && found->second.reader == reader)
      return &found->second.value;
    kept_.erase(found);
    return nullptr;
  }

  void Keep(const std::shared_ptr<const QueryResult>& source, Value value,
            const void* reader = nullptr) {
    if (kept_.size() >= limit_) kept_.clear();
    kept_.insert_or_assign(source.get(), Kept{source, reader, std::move(value)});
  }

 private:
  struct Kept {
    std::weak_ptr<const QueryResult> source;
    const void* reader;
    Value value;
  };
  size_t limit_;
  std::unordered_map<const QueryResult*, Kept> kept_;
};

}  // namespace qzdbs::db
