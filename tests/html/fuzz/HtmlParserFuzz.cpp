// libFuzzer target for the HTML parser (built by tests/support/fuzz/run-fuzzers.sh).

#include "html/HtmlParser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkRuns(const std::vector<HtmlRun>& runs)
{
    for (const HtmlRun& run : runs) {
        require(!run.text.empty());
        require(run.text.find_first_of("\t\n\r") == std::string::npos);
        require(run.text.find("  ") == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    for (const HtmlBlock& block : HtmlParser::parse(html)) {
        require(block.kind >= HtmlBlock::Paragraph && block.kind <= HtmlBlock::Table);
        require((block.kind == HtmlBlock::Heading) == (block.level >= 1 && block.level <= 3));
        require((block.kind <= HtmlBlock::ListItem) == !block.runs.empty());
        require(block.kind == HtmlBlock::Table || block.rows.empty());
        require(block.border >= 0 && block.cellPadding >= 0);
        checkRuns(block.runs);
        for (const HtmlRow& row : block.rows) {
            for (const HtmlCell& cell : row)
                checkRuns(cell);
        }
    }
    return 0;
}
