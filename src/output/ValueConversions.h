// How a builder turns a parameter's text into the value a host member takes.
// Each conversion throws EngineError for a text that does not convert.
#pragma once

#include <cstdint>
#include <string>

namespace qzdbs {

double ToReal(const std::string& text);
// Rounded to the nearest integer, halves to even; out of range is a failure.
int16_t ToInt16(const std::string& text);
int32_t ToInt32(const std::string& text);
// A number is true when not zero; the words true and false in any case.
bool ToFlag(const std::string& text);
// True only for a number that is exactly 1.
bool EqualsOne(const std::string& text);
// True for any number other than 0.
bool NotZero(const std::string& text);

// Rounds halves to even, as the engine does whenever it makes an integer of a real.
double RoundHalfEven(double value);

}  // namespace qzdbs
