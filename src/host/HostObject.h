// What the engine sees of the drawing host: objects of named classes whose
// members are set, read and called by name. The typed classes of
// HostClasses.h give each class its members; a host implements this one
// interface (and HostComponent) for all of them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qzdbs {

using Point3 = std::array<double, 3>;

class HostObject;
class HostComponent;

using HostValue = std::variant<std::monostate, bool, int32_t, double, std::string, Point3,
                               std::shared_ptr<HostObject>>;

// A failure reported by the host; its text is what the calling builder shows.
class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class HostObject {
 public:
  virtual ~HostObject() = default;
  virtual const std::string& ClassName() const = 0;
  virtual void Set(std::string_view member, HostValue value) = 0;
  virtual HostValue Get(std::string_view member) const = 0;
  // Arguments are passed by reference: a member with output arguments writes them.
  virtual void Call(std::string_view member, std::vector<HostValue>& args) = 0;
  // The component that made the object; the engine creates its objects there.
  virtual std::shared_ptr<HostComponent> Component() const = 0;
};

class HostComponent {
 public:
  virtual ~HostComponent() = default;
  // Creating an object of any host class succeeds; a new object starts empty.
  virtual std::shared_ptr<HostObject> CreateObject(std::string_view className) = 0;
};

}  // namespace qzdbs
