// Reading what the host received: the members of one host object as the
// document's entity, shape or parameters. Members the engine did not set read
// as the host class's defaults.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/memory/MemoryHost.h"
#include "server/Document.h"

namespace qzdbs::server {

// Identity and common entity attributes.
Entity ReadEntity(const MemoryObject& object, const std::string& key);

// The shape of a drawable object that stands on its own (curves, texts,
// dimensions, leaders, block references); nothing for other classes.
std::optional<Shape> ReadShape(const MemoryObject& object);

// The identifiers an "Add..." member received, in order.
std::vector<int32_t> ReadIdentifiers(const MemoryObject& object, std::string_view addMember);

// Dictionary entries as (name, value).
std::vector<std::pair<std::string, std::string>> ReadEntries(const MemoryObject& dictionary);

bool HasMember(const MemoryObject& object, std::string_view member);

// A handle for the typed host classes that reads the object without owning
// it: the object must outlive the handle.
std::shared_ptr<HostObject> BorrowHandle(const MemoryObject& object);

}  // namespace qzdbs::server
