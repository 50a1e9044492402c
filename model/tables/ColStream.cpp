#include "model/tables/ColStream.h"

#include "model/tables/StreamCodec.h"
#include "model/tables/TableErrors.h"

#include <cmath>

namespace dorvek {

void TColWriter::PutLE(std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) Put(static_cast<std::uint8_t>(value >> (8 * i)));
}

void TColWriter::WriteListBegin() {
    Put(vaList);
}

void TColWriter::WriteListEnd() {
    Put(vaNull);
}

void TColWriter::WriteInteger(std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    if (value >= INT8_MIN && value <= INT8_MAX) {
        Put(vaInt8);
        PutLE(bits, 1);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        Put(vaInt16);
        PutLE(bits, 2);
    } else {
        Put(vaInt32);
        PutLE(bits, 4);
    }
}

void TColWriter::WriteFloat(long double value) {
    Put(vaExtended);
    std::uint8_t bytes[10];
    EncodeExtended(value, bytes);
    fBytes.insert(fBytes.end(), bytes, bytes + 10);
}

void TColWriter::WriteBoolean(bool value) {
    Put(value ? vaTrue : vaFalse);
}

// A text goes out as UTF-8 unless that is not shorter than twice its UTF-16 form; UTF-8
// with high bytes gets its own tag, pure 7-bit text the short or long 8-bit tag.
void TColWriter::WriteString(const std::string& text) {
    std::size_t units = Utf16Length(text);
    if (text.size() < 2 * units) {
        bool highBit = false;
        for (char c : text) highBit = highBit || (static_cast<unsigned char>(c) & 0x80) != 0;
        if (highBit) {
            Put(vaUTF8String);
            PutLE(text.size(), 4);
        } else if (text.size() > 255) {
            Put(vaLString);
            PutLE(text.size(), 4);
        } else {
            Put(vaString);
            PutLE(text.size(), 1);
        }
        fBytes.insert(fBytes.end(), text.begin(), text.end());
    } else {
        std::u16string wide = Utf8ToUtf16(text);
        Put(vaWString);
        PutLE(wide.size(), 4);
        for (char16_t unit : wide) PutLE(unit, 2);
    }
}

void TColReader::InvalidValue() {
    throw StreamError("Invalid property value");
}

std::uint8_t TColReader::NextValue() const {
    if (AtEnd()) throw StreamError("Stream read error");
    return fBytes[fPos];
}

std::uint8_t TColReader::TakeTag() {
    std::uint8_t tag = NextValue();
    ++fPos;
    return tag;
}

std::span<const std::uint8_t> TColReader::Take(std::size_t count) {
    if (count > fBytes.size() - fPos) throw StreamError("Stream read error");
    auto part = fBytes.subspan(fPos, count);
    fPos += count;
    return part;
}

std::uint64_t TColReader::TakeLE(int bytes) {
    auto part = Take(static_cast<std::size_t>(bytes));
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | part[static_cast<size_t>(i)];
    return value;
}

void TColReader::ReadListBegin() {
    if (NextValue() != vaList) InvalidValue();
    ++fPos;
}

void TColReader::ReadListEnd() {
    if (NextValue() != vaNull) InvalidValue();
    ++fPos;
}

std::int32_t TColReader::ReadInteger() {
    switch (NextValue()) {
    case vaInt8:
        ++fPos;
        return static_cast<std::int8_t>(TakeLE(1));
    case vaInt16:
        ++fPos;
        return static_cast<std::int16_t>(TakeLE(2));
    case vaInt32:
        ++fPos;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(TakeLE(4)));
    default:
        InvalidValue();
    }
}

long double TColReader::ReadFloat() {
    if (NextValue() != vaExtended) return ReadInteger();
    ++fPos;
    long double value = DecodeExtended(Take(10).data());
    // Infinite or undefined values would spread into every result computed from them.
    if (!std::isfinite(value)) InvalidValue();
    return value;
}

bool TColReader::ReadBoolean() {
    std::uint8_t tag = NextValue();
    if (tag != vaFalse && tag != vaTrue) InvalidValue();
    ++fPos;
    return tag == vaTrue;
}

std::string TColReader::ReadString() {
    std::uint8_t tag = NextValue();
    if (tag != vaString && tag != vaLString && tag != vaWString && tag != vaUTF8String)
        InvalidValue();
    ++fPos;
    if (tag == vaWString) {
        std::size_t count = TakeLE(4);
        if (count > (fBytes.size() - fPos) / 2) throw StreamError("Stream read error");
        auto part = Take(count * 2);
        std::u16string wide(count, u'\0');
        for (std::size_t i = 0; i < count; ++i)
            wide[i] = static_cast<char16_t>(part[2 * i] | (part[2 * i + 1] << 8));
        return Utf16ToUtf8(wide);
    }
    std::size_t length = TakeLE(tag == vaString ? 1 : 4);
    auto part = Take(length);
    std::string bytes(part.begin(), part.end());
    return tag == vaUTF8String ? bytes : Latin1ToUtf8(bytes);
}

} // namespace dorvek
