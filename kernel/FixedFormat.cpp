#include "FixedFormat.h"

#include "FixedFields.h"
#include "FixedLayout.h"

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

// Formats one value under a data field, appending it to the line.
void appendField(std::string& line, const LayoutItem& item, const FieldValue& value,
                 std::string_view layout) {
    switch (item.kind) {
    case Kind::A:
        if (const auto* text = std::get_if<std::string>(&value))
            return fixed::appendText(line, *text, item.width);
        mismatch(layout, "n A", value);
    case Kind::I:
        if (const auto* number = std::get_if<int>(&value))
            return fixed::appendInteger(line, *number, item.width, item.digits);
        mismatch(layout, "n I", value);
    case Kind::F:
        if (const auto* real = std::get_if<float>(&value))
            return fixed::appendFixed(line, *real, item.width, item.digits);
        mismatch(layout, "n F", value);
    case Kind::E:
        if (const auto* real = std::get_if<float>(&value))
            return fixed::appendExponent(line, *real, item.width, item.digits, item.scaled);
        mismatch(layout, "n E", value);
    default:
        throw std::logic_error("fixed layout: not a data field");
    }
}

// An A field of its own length given an empty text.
bool writesNothing(const LayoutItem& item, const FieldValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return item.kind == Kind::A && item.width < 0 && text && text->empty();
}

} // namespace

struct FixedWriter::State {
    std::unordered_map<std::string, Layout, TextHash, std::equal_to<>> layouts;
    std::string held; // output not yet written; a failing call leaves nothing of its own here
};

FixedWriter::State& FixedWriter::state() {
    if (!state_) state_ = std::make_shared<State>();
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
    if (!state_ || state_->held.empty()) return;
    std::string& held = state_->held;
    out_->write(held.data(), static_cast<std::streamsize>(held.size()));
    held.clear();
}

// Ends a call: the held output goes out once there is enough of it.
void FixedWriter::release() {
    if (state_ && state_->held.size() >= holdBytes_) flush();
}

void FixedWriter::write(std::string_view layoutText, const std::vector<FieldValue>& values) {
    State& s = state();
    auto found = s.layouts.find(layoutText);
    if (found == s.layouts.end())
        found = s.layouts.emplace(std::string(layoutText), fixed::parseLayout(layoutText)).first;
    const Layout& layout = found->second;
    if (!values.empty() && !layout.hasData)
        throw std::logic_error("fixed layout \"" + std::string(layoutText) +
                               "\": values given to a layout without fields");

    std::string& out = s.held;
    const std::size_t callStart = out.size();
    std::size_t lineStart = callStart;
    std::size_t position = 0; // column where the next item goes; may lie past the text
    auto place = [&](std::size_t column) {
        const std::size_t length = out.size() - lineStart;
        if (length < column) out.append(column - length, ' ');
    };
    auto endLine = [&] {
        out += "\r\n";
        lineStart = out.size();
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
                    out += item.text;
                    position = out.size() - lineStart;
                    break;
                case Kind::Slash:
                    endLine();
                    break;
                default:
                    if (next == values.size()) goto finished;
                    if (writesNothing(item, values[next])) {
                        ++next; // like an nX, it leaves no blanks at the end of a line
                        break;
                    }
                    place(position);
                    appendField(out, item, values[next++], layoutText);
                    position = out.size() - lineStart;
                    break;
                }
            }
            if (next == values.size()) break;
            endLine(); // more values than fields: the layout starts again on a new line
        }
    finished:
        endLine();
    } catch (...) {
        out.resize(callStart);
        throw;
    }
    release();
}

void FixedWriter::list(std::string_view text) {
    std::string& out = state().held;
    if (!text.empty()) {
        out += ' ';
        out += text;
    }
    out += "\r\n";
    release();
}

void FixedWriter::listValues(const std::vector<FieldValue>& values) {
    std::string& out = state().held;
    out += ' ';
    bool first = true;
    for (const FieldValue& value : values) {
        if (!first) out.push_back(' ');
        first = false;
        if (const auto* number = std::get_if<int>(&value))
            fixed::appendInteger(out, *number, 11, 1);
        else if (const auto* real = std::get_if<float>(&value))
            fixed::appendExponent(out, *real, 14, 6, true);
        else
            out += std::get<std::string>(value);
    }
    out += "\r\n";
    release();
}

} // namespace dorvek
