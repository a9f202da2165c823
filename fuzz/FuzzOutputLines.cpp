// Arbitrary bytes as an output file: its lines arrive in the store exactly as
// a plain split at line feeds gives them, a carriage return before the line
// feed dropped; an empty file keeps the earlier lines.
#include "FuzzSupport.h"
#include "UDMTylwen.h"
#include "UOutputFile.h"

#include <optional>
#include <string_view>

namespace {

LineSet SplitAtLineFeeds(std::string_view bytes) {
    LineSet lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file("field.out");
    file.Write(data, size);
    TDMTylwen store;
    const LineSet earlier = {"earlier line 1", "earlier line 2"};
    store.OutputLines = earlier;
    store.NrOfOutputLines = 2;
    const std::optional<TFileMessage> told = ReadOutputLines(file.Path(), store);
    const LineSet expected =
        SplitAtLineFeeds(std::string_view(reinterpret_cast<const char*>(data), size));
    Require(!told, "a small file reads silently");
    Require(store.NrOfOutputLines == static_cast<std::int32_t>(expected.size()),
            "every line is counted");
    Require(store.OutputLines == (expected.empty() ? earlier : expected),
            "lines arrive as split at line feeds");
    return 0;
}
