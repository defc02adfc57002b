#pragma once

#include <cassert>
#include <new>
#include <optional>
#include <string>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <variant>

#include "support/job_observer.h"
#include "support/notices.h"

namespace quillmere {

// A value, or the failure that took its place. Readers, writers and jobs
// return one; it travels up unchanged to the layer that talks to the user,
// which hands a failure to its NoticeSink (Reported). Nothing below that
// layer tells the user anything, so one failure is told once.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() {
    assert(ok());
    return std::get<0>(state_);
  }
  const T& value() const {
    assert(ok());
    return std::get<0>(state_);
  }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }

  const Failure& failure() const {
    assert(!ok());
    return std::get<1>(state_);
  }

 private:
  std::variant<T, Failure> state_;
};

// The value of a Result that has nothing to give but success.
struct Done {};
using Status = Result<Done>;

// Hands the failure of `expression`, a Result, up to the caller unchanged;
// goes on when it holds a value. The expression is evaluated once.
#define RETURN_IF_FAILED(expression)                                          \
  do {                                                                        \
    if (const auto& quillmere_outcome_ = (expression); !quillmere_outcome_.ok()) \
      return quillmere_outcome_.failure();                                    \
  } while (false)

// Tells `notices` the failure of `result`, if any (a stopped job tells
// nothing); true when `result` holds a value.
template <typename T>
bool Reported(const Result<T>& result, NoticeSink& notices) {
  if (result.ok()) return true;
  if (result.failure().notice != Notice::kStopped) notices.Notify(result.failure());
  return false;
}

// The value of `result`, or nothing once its failure is told to `notices`:
// for callers that show a failure at once.
template <typename T>
std::optional<T> ReportedValue(Result<T> result, NoticeSink& notices) {
  if (!Reported(result, notices)) return std::nullopt;
  return std::move(result.value());
}

// Runs a job's `work` (which returns a Result) so that no exception leaves
// it: a stop asked for by the observer and memory that ran out, anywhere in
// the job or in its worker threads, become failures about `input_name`.
// Unwinding has already discarded any temporary output by then.
template <typename Work>
auto GuardedJob(const std::string& input_name, Work&& work) -> decltype(work()) {
  try {
    return work();
  } catch (const JobStopped&) {
    return Failure{Notice::kStopped, {}};
  } catch (const std::bad_alloc&) {
    return Failure{Notice::kOutOfMemory, input_name};
  } catch (const std::length_error&) {
    // A size beyond what a container or a model column can hold.
    return Failure{Notice::kOutOfMemory, input_name};
  } catch (const std::system_error& error) {
    // A worker thread that could not be started: no memory for its stack.
    if (error.code() != std::errc::resource_unavailable_try_again &&
        error.code() != std::errc::not_enough_memory) {
      throw;
    }
    return Failure{Notice::kOutOfMemory, input_name, error.code().value()};
  }
}

}  // namespace quillmere
