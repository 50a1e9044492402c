#include "model/io/WordRead.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <locale>
#include <random>

using namespace dorvek;

namespace {

const std::string Incomplete = "This file either invalid or incomplete.";

std::string FloatError(int line, int item) {
    return "Error on Line " + std::to_string(line) + " Item " + std::to_string(item) +
           "\rA floating point number was expected but not found.";
}

std::string IntegerError(int line, int item) {
    return "Error on Line " + std::to_string(line) + " Item " + std::to_string(item) +
           "\rAn integer was expected but not found.";
}

template <class F> std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const EInOutError& e) {
        return e.what();
    } catch (...) {
        return "other exception";
    }
    return "";
}

class TempFile {
public:
    explicit TempFile(const std::string& content)
        : path_(std::filesystem::temp_directory_path() /
                ("wordread_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

TEST(WordReader, SplitsAtBlanksAndTabs) {
    auto r = TWordReader::FromText("  1\t   2  \r\nTitle  with  blanks \n\n\t \n");
    ASSERT_EQ(r.LineCount(), 4);
    EXPECT_EQ(r.NumberLines(), 4);
    EXPECT_EQ(r.WordCount(0), 2);
    EXPECT_EQ(r.WordCount(1), 3);
    EXPECT_EQ(r.GetWordCount(2), 0);
    EXPECT_EQ(r.GetWordCount(3), 0); // blanks only
    EXPECT_EQ(r.LineEntry(0).OrigString, "  1\t   2  ");
    EXPECT_EQ(r.LineEntry(1).Words, (std::vector<std::string>{"Title", "with", "blanks"}));
    EXPECT_EQ(r.ReadFloat(), 1);
    EXPECT_EQ(r.ReadFloat(), 2);
    EXPECT_FALSE(r.AtStartOfLine());
    EXPECT_EQ(r.CurrentLine(), 0);
    EXPECT_EQ(r.ReadWord(), "Title");
    EXPECT_EQ(r.CurrentLine(), 1);
    EXPECT_EQ(r.CurrentLineWordCount(), 3);
}

TEST(WordReader, LineEndsAndEmptyText) {
    EXPECT_EQ(TWordReader::FromText("").LineCount(), 1); // an empty file is one empty line
    EXPECT_EQ(TWordReader::FromText("\n").LineCount(), 1);
    EXPECT_EQ(TWordReader::FromText("a\nb").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("a\r\nb\r\n").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("a\n\n").LineCount(), 2);
    auto r = TWordReader::FromText("\xEF\xBB\xBFTitle\r\n");
    EXPECT_EQ(r.ReadLine(), "Title"); // byte-order mark and CR are not text
    EXPECT_TRUE(r.Eof());
    // Control characters are blanks at the ends; inside a word only space and tab split.
    auto c = TWordReader::FromText("\x01 1 2\x02x \x03");
    EXPECT_EQ(c.LineEntry(0).Words, (std::vector<std::string>{"1", "2\x02x"}));
    // Bytes of UTF-8 text are never blanks.
    EXPECT_EQ(TWordReader::FromText("\xC3\xA9t\xC3\xA9 1").ReadWord(), "\xC3\xA9t\xC3\xA9");
}

TEST(WordReader, IntegersAndTheirErrors) {
    auto r = TWordReader::FromText("1 2.0 -3 -2147483648 2147483647\n2.5 3000000000 x 2147483648");
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_EQ(r.ReadInteger(), 2);
    EXPECT_EQ(r.ReadInteger(), -3);
    EXPECT_EQ(r.ReadInteger(), -2147483648);
    EXPECT_EQ(r.ReadInteger(), 2147483647);
    EXPECT_EQ(ErrorOf([&] { r.ReadInteger(); }), IntegerError(2, 1));
    EXPECT_EQ(ErrorOf([&] { r.ReadInteger(); }), IntegerError(2, 2));
    EXPECT_EQ(ErrorOf([&] { r.ReadInteger(); }), IntegerError(2, 3));
    EXPECT_EQ(ErrorOf([&] { r.ReadInteger(); }), IntegerError(2, 4));
    EXPECT_EQ(ErrorOf([&] { r.ReadInteger(); }), Incomplete);
}

TEST(WordReader, FloatsWithPointWhateverTheLocale) {
    auto r = TWordReader::FromText("0.5 1E-5 1.00000000000000E+0001 -2 .25\n"
                                   "1,5 inf nan 1e5000 1e");
    // A comma locale for C and C++ alike, where one is installed.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new Comma));
    EXPECT_EQ(r.ReadFloat(), 0.5L);
    EXPECT_EQ(r.ReadFloat(), 1e-5L);
    EXPECT_EQ(r.ReadFloat(), 10.0L);
    EXPECT_EQ(r.ReadFloat(), -2.0L);
    EXPECT_EQ(r.ReadFloat(), 0.25L);
    for (int item = 1; item <= 5; ++item)
        EXPECT_EQ(ErrorOf([&] { r.ReadFloat(); }), FloatError(2, item));
    std::locale::global(previous);
    std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(WordReader, FailureOnThirdWordOfLineFive) {
    const std::string text = "title\n1 2\n3\n4 5 6\n7 8 x 9\n";
    auto f = TWordReader::FromText(text);
    EXPECT_EQ(f.ReadLine(), "title");
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(f.ReadFloat(), i);
    EXPECT_EQ(ErrorOf([&] { f.ReadFloat(); }), FloatError(5, 3));
    auto n = TWordReader::FromText(text);
    n.ReadLine();
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(n.ReadInteger(), i);
    EXPECT_EQ(ErrorOf([&] { n.ReadInteger(); }), IntegerError(5, 3));
    EXPECT_EQ(n.ReadInteger(), 9); // the bad word was consumed
}

TEST(WordReader, EndOfFileAndBlankLines) {
    auto r = TWordReader::FromText("1 2\n");
    r.ReadWord();
    r.ReadWord();
    EXPECT_EQ(ErrorOf([&] { r.ReadWord(); }), Incomplete);
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(ErrorOf([&] { r.ReadLine(); }), Incomplete);
    EXPECT_EQ(ErrorOf([&] { r.PeekLine(); }), Incomplete);
    EXPECT_EQ(ErrorOf([&] { r.CountWordsLine(); }), Incomplete);
    EXPECT_EQ(ErrorOf([&] { r.ReadFloat(); }), Incomplete);
    EXPECT_EQ(ErrorOf([&] { r.ReadWords(); }), Incomplete);
    EXPECT_EQ(ErrorOf([&] { r.CurrentLineWordCount(); }), Incomplete);
    EXPECT_EQ(ErrorOf([&] { r.WordCount(-1); }), Incomplete);

    // A blank line where the next number is expected ends the reading, naming it.
    auto b = TWordReader::FromText("1\n\n2");
    EXPECT_EQ(b.ReadFloat(), 1);
    EXPECT_EQ(ErrorOf([&] { b.ReadFloat(); }), FloatError(2, 1));
    auto i = TWordReader::FromText("1\n  \n2");
    i.ReadInteger();
    EXPECT_EQ(ErrorOf([&] { i.ReadInteger(); }), IntegerError(2, 1));
    auto w = TWordReader::FromText("a\n\nb");
    w.ReadWord();
    EXPECT_EQ(ErrorOf([&] { w.ReadWord(); }), Incomplete);

    // Standing at the start of a blank line, the next word is taken from the line after it.
    auto s = TWordReader::FromText("\n5");
    EXPECT_EQ(s.ReadInteger(), 5);
}

TEST(WordReader, LinesAndWordGroups) {
    auto r = TWordReader::FromText("  Pile   title  \nSoil Layer 1 2\nabc\ndef 5\n3 words here\n");
    EXPECT_EQ(r.PeekLine(), "  Pile   title  ");
    EXPECT_EQ(r.ReadWord(), "Pile");
    EXPECT_EQ(r.PeekLine(), "  Pile   title  "); // back to the start of the same line
    EXPECT_TRUE(r.AtStartOfLine());
    EXPECT_EQ(r.ReadLine(), "  Pile   title  ");
    EXPECT_EQ(r.ReadWords(), "Soil Layer");
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_EQ(r.ReadInteger(), 2);
    EXPECT_EQ(r.ReadWords(), "abc def"); // words may continue on the next line
    EXPECT_EQ(r.ReadFloat(), 5);
    EXPECT_EQ(r.CurrentLine(), 3);
    r.ReadLine();
    EXPECT_EQ(r.CountWordsLine(), 3);
    EXPECT_TRUE(r.Eof());
}

TEST(WordReader, Files) {
    TempFile file("2\r\n1.5 -3\r\n");
    TWordReader r(file.path());
    EXPECT_EQ(r.LineCount(), 2);
    EXPECT_EQ(r.ReadInteger(), 2);
    EXPECT_EQ(r.ReadFloat(), 1.5L);
    EXPECT_EQ(r.ReadFloat(), -3.0L);

    const auto missing = std::filesystem::temp_directory_path() / "wordread_no_such_file.dv4p";
    EXPECT_EQ(ErrorOf([&] { TWordReader m(missing); }), "No such file or directory");
    EXPECT_EQ(ErrorOf([&] { TWordReader d(std::filesystem::temp_directory_path()); }),
              "Is a directory");
}

TEST(WordReader, RandomTextEndsInReadingErrorsOnly) {
    const std::string alphabet = " \t\r\n0123456789.-+eE,abx\x01\xC3\xA9";
    std::mt19937 rng(44);
    std::uniform_int_distribution<std::size_t> length(0, 120);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> operation(0, 7);
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (std::size_t n = length(rng); n > 0; --n) text += alphabet[pick(rng)];
        auto r = TWordReader::FromText(text);
        for (int l = 0; l < r.LineCount(); ++l)
            for (const auto& word : r.LineEntry(l).Words) {
                ASSERT_FALSE(word.empty());
                ASSERT_EQ(word.find_first_of(" \t"), std::string::npos);
            }
        try {
            // Bounded: PeekLine and the word count stay on their line.
            for (int step = 0; step < 500 && !r.Eof(); ++step) {
                switch (operation(rng)) {
                case 0:
                    r.ReadWord();
                    break;
                case 1:
                    ASSERT_TRUE(std::isfinite(r.ReadFloat()));
                    break;
                case 2:
                    r.ReadInteger();
                    break;
                case 3:
                    r.ReadLine();
                    break;
                case 4:
                    r.PeekLine();
                    break;
                case 5:
                    r.ReadWords();
                    r.ReadWord();
                    break;
                case 6:
                    r.CountWordsLine();
                    break;
                default:
                    r.CurrentLineWordCount();
                    break;
                }
            }
        } catch (const EInOutError&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unexpected " << e.what();
        }
    }
}
