#pragma once
// Errors raised by the table model; their texts are shown to the user as they are.

#include <stdexcept>
#include <string>

namespace dorvek {

// Any failure of the table model.
class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A typed cell accessor used on a column of another kind.
class WrongTypeError : public TableError {
public:
    WrongTypeError() : TableError("Data of wrong type") {}
};

// An entry typed by the user was rejected; the table keeps its old value.
class AssignmentError : public TableError {
public:
    using TableError::TableError;
};

// A column-definition stream could not be read.
class StreamError : public TableError {
public:
    using TableError::TableError;
};

// A file could not be opened or read.
class TableIOError : public TableError {
public:
    using TableError::TableError;
};

// printf-style texts of the messages that carry numbers ("ATopRow %d", ...).
std::string FormatText(const char* format, int a);
std::string FormatText(const char* format, int a, int b);
std::string FormatText(const char* format, int a, const std::string& b);

// The message of an index outside a list.
[[noreturn]] void RaiseIndexError(int index);

} // namespace dorvek
