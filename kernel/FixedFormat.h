#pragma once
// Writer of fixed-layout text, used by the report and the plot data file.
//
// A layout is a comma-separated list of fields, as in "5X,73(\"=\"),/,20X,A12":
//   nX       n blanks (only moves the position: blanks at the end of a line are not written)
//   "text"   literal text
//   /        ends the line
//   n(...)   group repeated n times
//   A, Aw    text of its own length / of exactly w characters (padded or cut on the right)
//   Iw, Iw.m integer, right-aligned, at least m digits
//   Fw.d     fixed notation
//   Ew.d     0.dddE+xx form; 1PEw.d: d.dddE+xx form; exponents beyond +-99 as +xxx without E
// A value that does not fit its width fills the field with asterisks. Used for more values
// than it has fields, a layout starts again from its beginning on a new line; for fewer,
// the line ends after the last value (literals standing before the next field are written).
// Every line ends with CR LF.

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dorvek {

using FieldValue = std::variant<int, float, std::string>;

class FixedWriter {
public:
    // Each call's lines reach the stream when the call returns; with holdBytes > 0 they are
    // held until that many bytes have gathered (or flush()), so a file sees a few large writes.
    explicit FixedWriter(std::ostream& out, std::size_t holdBytes = 0)
        : out_(&out), holdBytes_(holdBytes) {}
    // A writer without a stream: an analysis whose report or plot file is not asked for
    // formats nothing (but what a NoteScope keeps).
    FixedWriter() = default;
    ~FixedWriter();
    FixedWriter(FixedWriter&&) noexcept = default;
    FixedWriter& operator=(FixedWriter&&) noexcept = default;

    // Writes the values under the layout (see above).
    void write(std::string_view layout, std::span<const FieldValue> values = {});
    // A braced list of values stays on the stack.
    void write(std::string_view layout, std::initializer_list<FieldValue> values) {
        write(layout, std::span<const FieldValue>(values.begin(), values.size()));
    }
    void write(std::string_view layout, const std::vector<FieldValue>& values) {
        write(layout, std::span<const FieldValue>(values));
    }

    // List-directed line: one blank followed by the text; an empty text gives an empty line.
    void list(std::string_view text = {});

    // List-directed line of values: one blank, then each value separated by one blank;
    // integers right-aligned in 11 columns (any 32-bit value fits), reals as 1PE14.6,
    // texts as they are.
    void listValues(const std::vector<FieldValue>& values);

    // Writes the held lines to the stream.
    void flush();

    // Whether anything written now goes anywhere: callers may skip preparing large output.
    bool active() const { return out_ != nullptr || noting(); }

    // Lines written while a NoteScope of this writer lives are also appended to `notes`
    // (null: not kept), whether or not the writer has a stream.
    void keepNotes(std::string* notes) { notes_ = notes; }
    class NoteScope {
    public:
        explicit NoteScope(FixedWriter& writer) : writer_(writer) { ++writer_.noteScopes_; }
        ~NoteScope() { --writer_.noteScopes_; }
        NoteScope(const NoteScope&) = delete;
        NoteScope& operator=(const NoteScope&) = delete;

    private:
        FixedWriter& writer_;
    };

private:
    struct State; // parsed layouts (each parsed once) and the held output
    State& state();
    // Ends a call whose text starts at `callStart` of the held output.
    void release(std::size_t callStart);
    bool noting() const { return notes_ != nullptr && noteScopes_ > 0; }

    std::ostream* out_ = nullptr;
    std::size_t holdBytes_ = 0;
    std::shared_ptr<State> state_;
    std::string* notes_ = nullptr;
    int noteScopes_ = 0;
};

} // namespace dorvek
