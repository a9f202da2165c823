#include "UTableMemory.h"

#include "UFileNames.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

std::uint64_t FileBytes(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

std::string FileTooLargeMessage(const std::string& path, std::uint64_t needed,
                                std::uint64_t available) {
    return "The file \"" + path +
           "\" is too large for the memory available: " + MemoryShortageText(needed, available) +
           ". It was not read.";
}

} // namespace

std::optional<std::string> CountRefusal(std::int32_t count, std::int32_t gridRows,
                                        const TMemoryProbe& memory) {
    const std::uint64_t added =
        count > gridRows ? static_cast<std::uint64_t>(count) - static_cast<std::uint64_t>(gridRows)
                         : 0;
    const std::uint64_t needed = WindowBytesFor(added);
    const std::uint64_t available = memory.AvailableBytes();
    if (needed <= available) {
        return std::nullopt;
    }
    return "There is not enough memory for " + std::to_string(count) +
           " data sets: " + MemoryShortageText(needed, available) + ".";
}

TReadInputResult ReadInputFileWithinMemory(const TMemoryProbe& memory, TDMTylwen& store) {
    const std::string path = ChangeDataFileExt(store.FileName, ".inp");
    const std::uint64_t needed = WindowBytesFor(FileBytes(path) / WrittenDataLineBytes);
    const std::uint64_t available = memory.AvailableBytes();
    if (needed > available) {
        store.FileName = path;
        return {TReadInputOutcome::Incomplete,
                TFileMessage{FileTooLargeMessage(path, needed, available), false}};
    }
    const std::uint64_t mostDataSets = available / WindowBytesPerDataSet;
    return ReadInputFile(store, static_cast<std::int32_t>(std::min<std::uint64_t>(
                                    mostDataSets, static_cast<std::uint64_t>(MaxStoredDataSets))));
}
