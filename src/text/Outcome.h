// How a helper says what went wrong: a value, or a named failure with an optional detail (which
// line of a file, which marker). Helpers never show anything; the operation that called them
// turns a failure into the numbered message the person sees, in one place. Plain C++.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace veltra {

enum class Failure {
    NoInstrument,    // no IO interface on the bus
    NoAnswer,        // a query went unanswered (or the interface went away)
    BadAnswer,       // an answer not of its query's form, or out of range
    BadRecord,       // one record or row of a logger could not be read
    WrongFileKind,   // a file whose name says it is not of a kind the program reads
    FileUnreadable,  // a file that cannot be opened or read
    FileUnwritable,  // a file that cannot be written whole
    BadFile,         // a file's content breaks a rule (the detail says where and why)
    Cancelled,       // the person closed a dialog
    Declined,        // the person answered no
    Busy,            // another operation is under way: refused without a word
    NothingChosen,   // nothing marked or selected to work on
    NotPrinted,      // the printer took nothing
};

// Marks success for operations that give no value.
struct Done {};

template <class T>
class Outcome {
  public:
    Outcome(T value) : value_(std::move(value)) {}  // NOLINT: a value converts to success
    // `message`: the numbered message the person was shown for it, 0 for none.
    Outcome(Failure failure, std::string detail = {}, int message = 0)
        : failure_(failure), detail_(std::move(detail)), message_(message) {}

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    T& operator*() { return *value_; }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }
    T value_or(T fallback) const { return value_ ? *value_ : std::move(fallback); }
    // Meaningful only on a failure.
    Failure failure() const { return failure_; }
    const std::string& detail() const { return detail_; }
    int message() const { return message_; }

  private:
    std::optional<T> value_;
    Failure failure_ = Failure::BadAnswer;
    std::string detail_;
    int message_ = 0;
};

// What an operation that talks to the person returns: done, or the failure it has told of.
using Ended = Outcome<Done>;

// The failure of `other`, carried on as an outcome of another type.
template <class T, class U>
Outcome<T> FailureOf(const Outcome<U>& other) {
    return {other.failure(), other.detail(), other.message()};
}

}  // namespace veltra
