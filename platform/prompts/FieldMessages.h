#pragma once
// The framework's field-exchange messages for numbers typed into edits.

#include <string>

inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";
inline constexpr const char* kEnterPositiveIntegerMessage = "Please enter a positive integer.";

inline std::string IntegerRangeMessage(long long low, long long high) {
    return "Please enter an integer between " + std::to_string(low) + " and " +
           std::to_string(high) + ".";
}
