#pragma once
// The tagged value stream in which a table's column layout ("Col") is stored.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dorvek {

using TByteStream = std::vector<std::uint8_t>;

// Tags of the values.
enum TValueTag : std::uint8_t {
    vaNull = 0,     // end of list
    vaList = 1,     // start of list
    vaInt8 = 2,     // 1-byte signed integer
    vaInt16 = 3,    // 2-byte signed integer
    vaInt32 = 4,    // 4-byte signed integer
    vaExtended = 5, // 80-bit float
    vaString = 6,   // 1-byte length, 7-bit text
    vaFalse = 8,
    vaTrue = 9,
    vaLString = 12, // 4-byte length, 7-bit text
    vaWString = 18, // 4-byte count of UTF-16 units
    vaUTF8String = 20,
};

class TColWriter {
public:
    void WriteListBegin();
    void WriteListEnd();
    // Smallest of the three integer tags that holds the value.
    void WriteInteger(std::int32_t value);
    void WriteFloat(long double value);
    void WriteBoolean(bool value);
    // UTF-8 text; the tag is chosen by the text's form (see the .cpp).
    void WriteString(const std::string& text);

    const TByteStream& Bytes() const { return fBytes; }

private:
    void Put(std::uint8_t byte) { fBytes.push_back(byte); }
    void PutLE(std::uint64_t value, int bytes);

    TByteStream fBytes;
};

// Reads values in order; every failure raises a StreamError ("Stream read error" past the
// end, "Invalid property value" for a value of another type), never reads past the end and
// never allocates more than the remaining bytes can hold.
class TColReader {
public:
    explicit TColReader(std::span<const std::uint8_t> bytes) : fBytes(bytes) {}
    // The reader only looks at the bytes: they must outlive it.
    explicit TColReader(TByteStream&&) = delete;

    std::uint8_t NextValue() const;
    bool EndOfList() const { return NextValue() == vaNull; }
    void ReadListBegin();
    void ReadListEnd();
    // Any integer tag.
    std::int32_t ReadInteger();
    // A float, or any integer tag.
    long double ReadFloat();
    bool ReadBoolean();
    // Any text tag; the result is UTF-8.
    std::string ReadString();

    std::size_t Position() const { return fPos; }
    bool AtEnd() const { return fPos >= fBytes.size(); }

private:
    std::uint8_t TakeTag();
    std::span<const std::uint8_t> Take(std::size_t count);
    std::uint64_t TakeLE(int bytes);
    [[noreturn]] static void InvalidValue();

    std::span<const std::uint8_t> fBytes;
    std::size_t fPos = 0;
};

} // namespace dorvek
