#pragma once

#include <QtGlobal>

namespace dayloom {

// The one-byte tag in front of every value of the stream.
enum class ValueTag : quint8 {
    EndOfList = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
};

// The four bytes in front of a root component record: "TPF0".
inline constexpr char kComponentSignature[4] = {'T', 'P', 'F', '0'};

// Flags of the optional prefix byte of a component record (0xF0 | flags).
enum FilerFlag : int {
    ffInherited = 1,
    ffChildPos = 2,
    ffInline = 4,
};

// Deepest nesting of lists, collections and child components the reader
// follows; anything deeper is rejected as "Invalid stream format".
inline constexpr int kMaxStreamNesting = 32;

// The fixed texts of read errors.
namespace streamerror {
inline constexpr const char* InvalidStreamFormat = "Invalid stream format";
inline constexpr const char* InvalidPropertyValue = "Invalid property value";
inline constexpr const char* PropertyDoesNotExist = "Property does not exist";
inline constexpr const char* InvalidPropertyPath = "Invalid property path";
inline constexpr const char* PropertyIsReadOnly = "Property is read-only";
inline constexpr const char* ClassNotFound = "Class %1 not found";
inline constexpr const char* StreamReadError = "Stream read error";
inline constexpr const char* ErrorReading = "Error reading %1.%2: %3";
inline constexpr const char* StreamWriteError = "Stream write error";
}  // namespace streamerror

}  // namespace dayloom
