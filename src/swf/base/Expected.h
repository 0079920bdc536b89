#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace quelvo::swf {

// A parse failure: what went wrong and where, as a byte offset into the
// uncompressed movie (the 8-byte file header is offsets 0-7).
struct Error {
  std::string message;
  std::uint64_t offset = 0;

  // "tag stream: tag 12 length 4000 runs past end of data at byte 1234"
  std::string describe() const;
};

// Either a value or the Error that prevented it.
template <typename T>
class Expected {
 public:
  Expected(T value) : state_(std::move(value)) {}
  Expected(Error error) : state_(std::move(error)) {}

  bool has_value() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return has_value(); }

  T& value() { return std::get<T>(state_); }
  const T& value() const { return std::get<T>(state_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Error& error() const { return std::get<Error>(state_); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace quelvo::swf
