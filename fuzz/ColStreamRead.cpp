// The "Col" column-definition stream read into an empty table of either family, with the
// program's input tables present so that nested-table columns can name their templates: any
// stream is taken or refused with a stream error, and a taken stream written out reads back
// to the same bytes. The first byte picks the family; the rest is the stream.

#include "fuzz/FuzzSupport.h"
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <cstdint>
#include <memory>
#include <span>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

std::unique_ptr<TGridTable> EmptyTable(bool chart) {
    if (chart) return std::make_unique<TGridTableChart>();
    return std::make_unique<TGridTable>();
}

void ReadStream(bool chart, std::span<const std::uint8_t> bytes) {
    TInputTables templates;
    auto table = EmptyTable(chart);
    try {
        table->ReadColumnStream(bytes);
    } catch (const StreamError&) {
        return;
    }
    // A table with the columns read must hold rows of default values.
    table->SetRowCount(table->MinRows() + 2);
    const TByteStream written = table->ColumnStream();
    auto again = EmptyTable(chart);
    try {
        again->ReadColumnStream(written);
    } catch (const StreamError& e) {
        Fail(std::string("a written stream is refused: ") + e.what());
    }
    Check(again->ColumnStream() == written, "a written stream reads back differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const int before = GridFamily().Tables.Count() + ChartFamily().Tables.Count();
    ReadStream((data[0] & 1) != 0, std::span<const std::uint8_t>(data + 1, size - 1));
    Check(GridFamily().Tables.Count() + ChartFamily().Tables.Count() == before,
          "tables left registered");
    return 0;
}
