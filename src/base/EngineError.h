// The engine's one error type: a failure inside an operation, carrying the
// application-defined number where the engine raises one of its own.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qzdbs {

// 0x80040201 as a signed 32-bit number: the error the builders raise to signal
// a failed check. It has no text of its own.
inline constexpr int32_t kApplicationDefinedError = -2147220991;

// The one description the error facility has for kApplicationDefinedError.
inline constexpr const char* kApplicationDefinedErrorText = "应用程序定义或对象定义错误";

class EngineError : public std::runtime_error {
 public:
  explicit EngineError(const std::string& description, int32_t number = 0)
      : std::runtime_error(description), number_(number) {}

  // The application-defined error, described by its generic text.
  static EngineError ApplicationDefined() {
    return EngineError(kApplicationDefinedErrorText, kApplicationDefinedError);
  }

  int32_t Number() const { return number_; }

 private:
  int32_t number_;
};

}  // namespace qzdbs
