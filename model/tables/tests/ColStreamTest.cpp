// Byte forms of the column-definition stream values, written and read back.
#include "model/tables/ColStream.h"
#include "model/tables/StreamCodec.h"
#include "model/tables/TableErrors.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

using namespace dorvek;

namespace {

TByteStream Bytes(std::initializer_list<int> values) {
    TByteStream bytes;
    for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

std::string ReadError(const TByteStream& bytes, void (*read)(TColReader&)) {
    TColReader reader(bytes);
    try {
        read(reader);
    } catch (const StreamError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(ColStream, IntegersTakeTheSmallestTag) {
    struct Case {
        std::int32_t value;
        TByteStream bytes;
    };
    const Case cases[] = {
        {5, Bytes({2, 5})},
        {-1, Bytes({2, 0xFF})},
        {127, Bytes({2, 0x7F})},
        {-128, Bytes({2, 0x80})},
        {128, Bytes({3, 0x80, 0x00})},
        {-129, Bytes({3, 0x7F, 0xFF})},
        {32767, Bytes({3, 0xFF, 0x7F})},
        {32768, Bytes({4, 0x00, 0x80, 0x00, 0x00})},
        {-32769, Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})},
        {INT_MIN, Bytes({4, 0x00, 0x00, 0x00, 0x80})},
        {INT_MAX, Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F})},
    };
    for (const auto& c : cases) {
        TColWriter writer;
        writer.WriteInteger(c.value);
        EXPECT_EQ(writer.Bytes(), c.bytes) << c.value;
        TColReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadInteger(), c.value);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(ColStream, TextTagFollowsTheTextsForm) {
    struct Case {
        std::string text;
        TByteStream head; // tag and length
    };
    const Case cases[] = {
        {"L", Bytes({6, 1})},                             // 7-bit, short
        {std::string(255, 'a'), Bytes({6, 255})},         // still the short tag
        {std::string(256, 'a'), Bytes({12, 0, 1, 0, 0})}, // long 7-bit
        {"a\xC3\xA9", Bytes({20, 3, 0, 0, 0})},           // "aé": 3 bytes < 2 x 2 units
    };
    for (const auto& c : cases) {
        TColWriter writer;
        writer.WriteString(c.text);
        TByteStream expected = c.head;
        expected.insert(expected.end(), c.text.begin(), c.text.end());
        EXPECT_EQ(writer.Bytes(), expected) << c.text.size();
        TColReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadString(), c.text);
    }
}

TEST(ColStream, TextsNoShorterInUtf8GoAsUtf16) {
    // "é" is 2 bytes and 1 unit (2 < 2 fails); "€" 3 bytes; U+1F600 4 bytes, 2 units;
    // the empty text 0 < 0 fails too.
    struct Case {
        std::string text;
        TByteStream bytes;
    };
    const Case cases[] = {
        {"\xC3\xA9", Bytes({18, 1, 0, 0, 0, 0xE9, 0x00})},
        {"\xE2\x82\xAC", Bytes({18, 1, 0, 0, 0, 0xAC, 0x20})},
        {"\xF0\x9F\x98\x80", Bytes({18, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE})},
        {"", Bytes({18, 0, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        TColWriter writer;
        writer.WriteString(c.text);
        EXPECT_EQ(writer.Bytes(), c.bytes);
        TColReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadString(), c.text);
    }
}

TEST(ColStream, EightBitTextsAreReadAsLatin1) {
    TByteStream bytes = Bytes({6, 2, 'a', 0xE9});
    TColReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "a\xC3\xA9");
}

TEST(ColStream, UnpairedSurrogateBecomesReplacementCharacter) {
    TByteStream bytes = Bytes({18, 1, 0, 0, 0, 0x00, 0xD8});
    TColReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "\xEF\xBF\xBD");
}

TEST(ColStream, ExtendedFloatsLittleEndian) {
    // 1.0 = 0x8000000000000000 x 2^(0x3FFF - 16383 - 63); -2.0 has exponent 0x4000 and the
    // sign bit; 0.9 has mantissa round(0.9 x 2^64) = 0xE666666666666666 (0.9 x 2^64 lies
    // between ...666 and ...667 and nearer the first), exponent 0x3FFE.
    TColWriter writer;
    writer.WriteFloat(1.0L);
    writer.WriteFloat(-2.0L);
    writer.WriteFloat(0.0L);
    writer.WriteFloat(0.9L);
    EXPECT_EQ(writer.Bytes(),
              Bytes({5, 0,    0,    0,    0,    0,    0,    0,    0x80, 0xFF, 0x3F, //
                     5, 0,    0,    0,    0,    0,    0,    0,    0x80, 0x00, 0xC0, //
                     5, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    //
                     5, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0xE6, 0xFE, 0x3F}));
    TColReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadFloat(), 1.0L);
    EXPECT_EQ(reader.ReadFloat(), -2.0L);
    EXPECT_EQ(reader.ReadFloat(), 0.0L);
    EXPECT_EQ(reader.ReadFloat(), 0.9L);
}

TEST(ColStream, ExtendedRoundTripAtTheEdgesOfTheRange) {
    const long double values[] = {
        LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, -LDBL_TRUE_MIN * 3, 1e-300L, 123456789.123456789L,
        -0.0L};
    for (long double v : values) {
        std::uint8_t bytes[10];
        EncodeExtended(v, bytes);
        long double back = DecodeExtended(bytes);
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
}

TEST(ColStream, BooleansListsAndIntegerAsFloat) {
    TByteStream bytes = Bytes({9, 8, 1, 0, 2, 7});
    TColReader reader(bytes);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    reader.ReadListBegin();
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
    EXPECT_EQ(reader.ReadFloat(), 7.0L);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ColStream, ReadingFailuresNameTheirCause) {
    auto readInt = [](TColReader& r) { r.ReadInteger(); };
    auto readText = [](TColReader& r) { r.ReadString(); };
    auto readFloat = [](TColReader& r) { r.ReadFloat(); };
    auto readBool = [](TColReader& r) { r.ReadBoolean(); };
    EXPECT_EQ(ReadError({}, readInt), "Stream read error");
    EXPECT_EQ(ReadError(Bytes({3, 1}), readInt), "Stream read error");
    EXPECT_EQ(ReadError(Bytes({6, 1}), readInt), "Invalid property value");
    EXPECT_EQ(ReadError(Bytes({2, 1}), readText), "Invalid property value");
    EXPECT_EQ(ReadError(Bytes({6, 3, 'a'}), readText), "Stream read error");
    EXPECT_EQ(ReadError(Bytes({9}), readFloat), "Invalid property value");
    EXPECT_EQ(ReadError(Bytes({5, 0, 0}), readFloat), "Stream read error");
    EXPECT_EQ(ReadError(Bytes({2, 0}), readBool), "Invalid property value");
    // Infinity and NaN are refused rather than spread into results.
    EXPECT_EQ(ReadError(Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}), readFloat),
              "Invalid property value");
}

TEST(ColStream, HugeLengthsFailWithoutAllocating) {
    auto readText = [](TColReader& r) { r.ReadString(); };
    EXPECT_EQ(ReadError(Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), readText), "Stream read error");
    EXPECT_EQ(ReadError(Bytes({20, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), readText), "Stream read error");
    EXPECT_EQ(ReadError(Bytes({18, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}), readText),
              "Stream read error");
}
