#pragma once
// A value or the user-facing reason why there is none. Core operations never
// show UI: a failure carries the exact Japanese text that the caller shows.

#include <string>
#include <utility>
#include <variant>

namespace tavolo {

struct Failure {
  std::string message;  // the text shown to the user, complete
};

template <class T>
class Result {
 public:
  Result(T given) : v_(std::in_place_index<0>, std::move(given)) {}
  Result(Failure failure) : v_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return std::get<0>(v_); }
  T& value() & { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }

  const Failure& failure() const { return std::get<1>(v_); }
  const std::string& message() const { return failure().message; }

 private:
  std::variant<T, Failure> v_;
};

struct Done {};
// Success without a value; `Status(Done{})` or `Failure{...}`.
using Status = Result<Done>;
inline Status Succeeded() { return Done{}; }

}  // namespace tavolo
