#include "kernel/FixedLayout.h"

#include <cctype>
#include <stdexcept>
#include <utility>

namespace dorvek::fixed {
namespace {

using Kind = LayoutItem::Kind;

constexpr int kMaxNumber = 255;           // widths, digits and repeat counts
constexpr std::size_t kMaxItems = 100000; // guards against runaway nested repeats

LayoutItem make(Kind kind, int width = 0) {
    LayoutItem item;
    item.kind = kind;
    item.width = width;
    return item;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Layout run() {
        Layout layout;
        layout.items.reserve(16);
        parseList(layout.items, false);
        for (const auto& item : layout.items)
            if (isDataField(item.kind)) layout.hasData = true;
        layout.texts = std::move(texts_);
        return layout;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::string texts_; // the characters of every text item

    [[noreturn]] void fail(const char* what) const {
        throw std::logic_error("fixed layout \"" + std::string(text_) + "\": " + what +
                               " at column " + std::to_string(at_ + 1));
    }

    bool atEnd() const { return at_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }
    char upper() const {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(peek())));
    }
    bool digit() const { return std::isdigit(static_cast<unsigned char>(peek())) != 0; }

    // "n/" separates items like a plain slash does.
    bool countedSlash() const {
        std::size_t i = at_;
        while (i < text_.size() && std::isdigit(static_cast<unsigned char>(text_[i]))) ++i;
        return i > at_ && i < text_.size() && text_[i] == '/';
    }

    void skipBlanks() {
        while (!atEnd() && std::isspace(static_cast<unsigned char>(peek()))) ++at_;
    }

    int number() {
        if (!digit()) fail("number expected");
        int value = 0;
        while (digit()) {
            value = value * 10 + (peek() - '0');
            if (value > kMaxNumber) fail("number too large");
            ++at_;
        }
        return value;
    }

    // Adjacent texts and adjacent skips are merged, so 73("=") is one item.
    void push(std::vector<LayoutItem>& items, const LayoutItem& item) {
        if (!items.empty()) {
            LayoutItem& last = items.back();
            if (item.kind == Kind::Text && last.kind == Kind::Text) {
                // The merged text must end the characters to grow: copied there if not.
                if (last.textBegin + last.textLength != texts_.size()) {
                    const std::string moved = texts_.substr(last.textBegin, last.textLength);
                    last.textBegin = texts_.size();
                    texts_ += moved;
                }
                texts_ += texts_.substr(item.textBegin, item.textLength);
                last.textLength += item.textLength;
                return;
            }
            if (item.kind == Kind::Skip && last.kind == Kind::Skip) {
                last.width += item.width;
                return;
            }
        }
        if (items.size() >= kMaxItems) fail("layout too long");
        items.push_back(item);
    }

    void repeat(std::vector<LayoutItem>& items, const std::vector<LayoutItem>& group, int count) {
        if (count < 1) fail("repeat count must be at least 1");
        for (int n = 0; n < count; ++n)
            for (const auto& item : group) push(items, item);
    }

    // Items separated by commas; a slash needs no comma around it.
    void parseList(std::vector<LayoutItem>& items, bool inGroup) {
        bool afterComma = false;
        bool afterItem = false; // an item other than a slash that still needs a separator
        bool any = false;
        for (;;) {
            skipBlanks();
            if (atEnd() || peek() == ')') {
                if (inGroup != (peek() == ')')) fail(inGroup ? "missing )" : "unexpected )");
                if (afterComma) fail("item expected after comma");
                if (inGroup && !any) fail("empty group");
                if (inGroup) ++at_;
                return;
            }
            if (peek() == ',') {
                if (afterComma || !any) fail("item expected before comma");
                ++at_;
                afterComma = true;
                afterItem = false;
                continue;
            }
            if (peek() == '/') {
                ++at_;
                push(items, make(Kind::Slash));
                afterItem = false;
            } else {
                if (afterItem && !countedSlash()) fail("comma expected");
                parseItem(items);
                afterItem = !items.empty() && items.back().kind != Kind::Slash;
            }
            afterComma = false;
            any = true;
        }
    }

    void parseItem(std::vector<LayoutItem>& items) {
        const char c = peek();
        if (c == '"' || c == '\'') {
            LayoutItem text = make(Kind::Text);
            text.textBegin = texts_.size();
            quoted(c);
            text.textLength = texts_.size() - text.textBegin;
            push(items, text);
            return;
        }
        if (c == '(') {
            ++at_;
            std::vector<LayoutItem> group;
            parseList(group, true);
            repeat(items, group, 1);
            return;
        }
        int count = 1;
        bool counted = false;
        if (digit()) {
            count = number();
            counted = true;
        }
        LayoutItem single;
        switch (upper()) {
        case '(': {
            ++at_;
            std::vector<LayoutItem> group;
            parseList(group, true);
            repeat(items, group, count);
            return;
        }
        case 'X':
            ++at_;
            if (count < 1) fail("X needs a count of at least 1");
            push(items, make(Kind::Skip, count));
            return;
        case '/':
            ++at_;
            single = make(Kind::Slash);
            break;
        case 'P': {
            if (!counted || count > 1) fail("only 0P and 1P are supported");
            ++at_;
            if (upper() != 'E') fail("P must stand directly before E");
            single = descriptor();
            single.scaled = count == 1;
            count = 1;
            break;
        }
        default:
            single = descriptor();
            break;
        }
        if (count < 1) fail("repeat count must be at least 1");
        for (int n = 0; n < count; ++n) push(items, single);
    }

    // Appends the text between the quotes to texts_.
    void quoted(char quote) {
        ++at_;
        for (;;) {
            if (atEnd()) fail("unterminated text");
            const char c = text_[at_++];
            if (c != quote) {
                texts_.push_back(c);
            } else if (peek() == quote) { // a doubled quote stands for itself
                texts_.push_back(c);
                ++at_;
            } else {
                return;
            }
        }
    }

    LayoutItem descriptor() {
        const char letter = upper();
        LayoutItem item{};
        switch (letter) {
        case 'A':
            item.kind = Kind::A;
            break;
        case 'I':
            item.kind = Kind::I;
            break;
        case 'F':
            item.kind = Kind::F;
            break;
        case 'E':
            item.kind = Kind::E;
            break;
        default:
            fail("unknown field");
        }
        ++at_;
        if (item.kind == Kind::A) {
            item.width = digit() ? number() : -1;
            if (item.width == 0) fail("A needs a width of at least 1");
            return item;
        }
        item.width = number();
        if (item.width < 1) fail("width must be at least 1");
        if (item.kind == Kind::I) {
            item.digits = 1;
            if (peek() == '.') {
                ++at_;
                item.digits = number();
                if (item.digits > item.width) fail("more digits than width");
            }
            return item;
        }
        if (peek() != '.') fail("'.' expected");
        ++at_;
        item.digits = number();
        return item;
    }
};

} // namespace

Layout parseLayout(std::string_view layout) {
    Layout parsed = Parser(layout).run();
    for (const auto& item : parsed.items)
        if (item.kind == Kind::E && !item.scaled && item.digits < 1)
            throw std::logic_error("fixed layout \"" + std::string(layout) +
                                   "\": Ew.d needs d >= 1");
    return parsed;
}

} // namespace dorvek::fixed
