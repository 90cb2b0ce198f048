#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// How an action ended. The numbers are the ones the error report shows the user.
enum class Failure : int {
  None = 0,       // the action completed
  Overflow = 6,   // a number did not fit the integer it was converted to
  Subscript = 9,  // an index fell outside its array
};

// The failure's name as the error report shows it: "溢出" or "下标越界"; "" for None.
std::string_view failureName(Failure failure);

// The error report for a failure, with its number and name: "运行时错误 '6'：溢出".
std::string failureReport(Failure failure);

}  // namespace quorvel
