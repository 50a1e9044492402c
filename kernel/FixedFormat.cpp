#include "kernel/FixedFormat.h"

#include "kernel/FixedFields.h"
#include "kernel/FixedLayout.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace dorvek {
namespace {

using fixed::Layout;
using fixed::LayoutItem;
using Kind = LayoutItem::Kind;

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

const char* kindName(const FieldValue& value) {
    switch (value.index()) {
    case 0:
        return "an integer";
    case 1:
        return "a real";
    default:
        return "a text";
    }
}

[[noreturn]] void mismatch(std::string_view layout, const char* field, const FieldValue& value) {
    throw std::logic_error("fixed layout \"" + std::string(layout) + "\": " + kindName(value) +
                           " given to a" + field + " field");
}

// An A field of its own length given an empty text.
bool writesNothing(const LayoutItem& item, const FieldValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return item.kind == Kind::A && item.width < 0 && text && text->empty();
}

} // namespace

struct FixedWriter::State {
    std::unordered_map<std::string, Layout, TextHash, std::equal_to<>> layouts;
    // The layout used last: loops write line after line with the same one.
    std::string_view lastText;
    const Layout* last = nullptr;

    // Output not yet written: the first `used` characters of `buffer`. Text goes in through a
    // pointer, without a library call for each field, and the storage is not cleared first.
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = 0;
    std::size_t used = 0;

    // Room for n more characters after the output.
    char* room(std::size_t n) {
        if (capacity - used < n) grow(used + n);
        return buffer.get() + used;
    }
    void grow(std::size_t size) {
        const std::size_t larger = std::max({size, 2 * capacity, std::size_t{4096}});
        auto next = std::make_unique_for_overwrite<char[]>(larger);
        std::copy_n(buffer.get(), used, next.get());
        buffer = std::move(next);
        capacity = larger;
    }
    void put(std::string_view text) {
        std::copy(text.begin(), text.end(), room(text.size()));
        used += text.size();
    }
    void blanks(std::size_t count) {
        fixed::writeBlanks(room(count), count);
        used += count;
    }
    // One value under a data field.
    void field(const LayoutItem& item, const FieldValue& value, std::string_view layout);
    // A real under an E field (the commonest, which write() takes without field()).
    void exponent(const LayoutItem& item, float value) {
        const auto width = static_cast<std::size_t>(item.width);
        fixed::writeExponent(room(width), value, item.width, item.digits, item.scaled);
        used += width;
    }
};

void FixedWriter::State::field(const LayoutItem& item, const FieldValue& value,
                               std::string_view layout) {
    // Number fields are 1 to 255 characters wide (the layout parser sees to it).
    const auto width = static_cast<std::size_t>(item.width);
    switch (item.kind) {
    case Kind::A:
        if (const auto* text = std::get_if<std::string>(&value)) {
            if (item.width < 0) return put(*text);
            const std::string_view shown = std::string_view(*text).substr(0, width);
            put(shown);
            return blanks(width - shown.size());
        }
        mismatch(layout, "n A", value);
    case Kind::I:
        if (const auto* number = std::get_if<int>(&value)) {
            fixed::writeInteger(room(width), *number, item.width, item.digits);
            used += width;
            return;
        }
        mismatch(layout, "n I", value);
    case Kind::F:
        if (const auto* real = std::get_if<float>(&value)) {
            fixed::writeFixed(room(width), *real, item.width, item.digits);
            used += width;
            return;
        }
        mismatch(layout, "n F", value);
    case Kind::E:
        if (const auto* real = std::get_if<float>(&value)) return exponent(item, *real);
        mismatch(layout, "n E", value);
    default:
        throw std::logic_error("fixed layout: not a data field");
    }
}
FixedWriter::State& FixedWriter::state() {
    if (!state_) {
        state_ = std::make_shared<State>();
        // Room for what is held and the call that goes past it, without growing on the way.
        if (holdBytes_ > 0) state_->grow(holdBytes_ + 16 * 1024);
    }
    return *state_;
}

FixedWriter::~FixedWriter() {
    try {
        flush();
    } catch (...) {
        // A stream that throws on failure: what was held is lost, as a failed write would be.
    }
}

void FixedWriter::flush() {
    if (!state_ || state_->used == 0) return;
    const std::size_t used = state_->used;
    state_->used = 0;
    if (out_) out_->write(state_->buffer.get(), static_cast<std::streamsize>(used));
}

// Ends a call: the held output goes out once there is enough of it.
void FixedWriter::release(std::size_t callStart) {
    if (!state_) return;
    if (noting()) notes_->append(state_->buffer.get() + callStart, state_->used - callStart);
    if (state_->used >= holdBytes_) flush();
}

void FixedWriter::write(std::string_view layoutText, std::span<const FieldValue> values) {
    if (!active()) return;
    State& s = state();
    if (!s.last || s.lastText != layoutText) {
        auto found = s.layouts.find(layoutText);
        if (found == s.layouts.end())
            found =
                s.layouts.emplace(std::string(layoutText), fixed::parseLayout(layoutText)).first;
        s.lastText = found->first; // the map's own copy: nodes stay where they are
        s.last = &found->second;
    }
    const Layout& layout = *s.last;
    if (!values.empty() && !layout.hasData)
        throw std::logic_error("fixed layout \"" + std::string(layoutText) +
                               "\": values given to a layout without fields");

    const std::size_t callStart = s.used;
    std::size_t lineStart = callStart;
    std::size_t position = 0; // column where the next item goes; may lie past the text
    auto place = [&](std::size_t column) {
        const std::size_t length = s.used - lineStart;
        if (length < column) s.blanks(column - length);
    };
    auto endLine = [&] {
        s.put("\r\n");
        lineStart = s.used;
        position = 0;
    };

    std::size_t next = 0;
    try {
        for (;;) {
            for (const LayoutItem& item : layout.items) {
                switch (item.kind) {
                case Kind::Skip:
                    position += static_cast<std::size_t>(item.width);
                    break;
                case Kind::Text:
                    place(position);
                    s.put(layout.text(item));
                    position = s.used - lineStart;
                    break;
                case Kind::Slash:
                    endLine();
                    break;
                case Kind::E:
                    // The commonest field, without the general dispatch.
                    if (next < values.size())
                        if (const auto* real = std::get_if<float>(&values[next])) {
                            place(position);
                            s.exponent(item, *real);
                            ++next;
                            position = s.used - lineStart;
                            break;
                        }
                    [[fallthrough]];
                default:
                    if (next == values.size()) goto finished;
                    if (writesNothing(item, values[next])) {
                        ++next; // like an nX, it leaves no blanks at the end of a line
                        break;
                    }
                    place(position);
                    s.field(item, values[next++], layoutText);
                    position = s.used - lineStart;
                    break;
                }
            }
            if (next == values.size()) break;
            endLine(); // more values than fields: the layout starts again on a new line
        }
    finished:
        endLine();
    } catch (...) {
        s.used = callStart;
        throw;
    }
    release(callStart);
}

void FixedWriter::list(std::string_view text) {
    if (!active()) return;
    State& s = state();
    const std::size_t callStart = s.used;
    if (!text.empty()) {
        s.put(" ");
        s.put(text);
    }
    s.put("\r\n");
    release(callStart);
}

void FixedWriter::listValues(const std::vector<FieldValue>& values) {
    if (!active()) return;
    State& s = state();
    const std::size_t callStart = s.used;
    s.put(" ");
    bool first = true;
    for (const FieldValue& value : values) {
        if (!first) s.put(" ");
        first = false;
        if (const auto* number = std::get_if<int>(&value)) {
            fixed::writeInteger(s.room(11), *number, 11, 1);
            s.used += 11;
        } else if (const auto* real = std::get_if<float>(&value)) {
            fixed::writeExponent(s.room(14), *real, 14, 6, true);
            s.used += 14;
        } else {
            s.put(std::get<std::string>(value));
        }
    }
    s.put("\r\n");
    release(callStart);
}

} // namespace dorvek
