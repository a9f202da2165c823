// Reading, calculating and writing 10^3 to 10^5 data sets: the file round trip
// should stay linear and far below what a user notices.
#include "UCalculation.h"
#include "UDMTylwen.h"
#include "UFileNames.h"
#include "UInputFile.h"
#include "UOutputFile.h"
#include "UTylwenUtils.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

std::filesystem::path& BenchFolder() {
    static std::filesystem::path folder;
    return folder;
}

std::string InputPath(std::int64_t dataSets) {
    return (BenchFolder() / ("field-" + std::to_string(dataSets) + ".inp")).string();
}

// Plausible, varied data sets that pass the depth check.
void FillStore(TDMTylwen& store, std::int64_t dataSets) {
    store = TDMTylwen{};
    store.DrainDepth = 1.2;
    store.ImpermeableDepth = 10.0;
    store.DrainSpacing = 30.0;
    store.DrainRadius = 0.1;
    store.NrOfDataSets = static_cast<std::int32_t>(dataSets);
    for (std::int64_t i = 0; i < dataSets; ++i) {
        const double midway = 0.5 + static_cast<double>(i % 7) * 0.05;
        store.WorkDischarge.push_back(1.0 + static_cast<double>(i % 50) * 0.1);
        store.WorkMidway.push_back(midway);
        store.WorkNear.push_back(midway + 0.2 + static_cast<double>(i % 5) * 0.01);
    }
}

void ReadInto(TDMTylwen& store, const std::string& path) {
    store.FileName = path;
    if (ReadInputFile(store).Outcome != TReadInputOutcome::Read) {
        throw std::runtime_error("could not read " + path);
    }
}

// With OutputShown set the calculation starts from the input arrays, as a
// repeated calculation does, and no confirmation is shown.
TCalculationResults CalculateStore(TDMTylwen& store) {
    OutputShown = true;
    TCalculationResults result;
    result.EquivalentDepth = CalculateRegression(TCalculationOption::OverEntireSoilDepth, store);
    result.SlopeA = SlopeA;
    result.InterceptB = InterceptB;
    result.Ka = store.Ka;
    result.Kb = store.Kb;
    return result;
}

// A file that could not be created would leave nothing to measure.
void WriteInput(const std::string& path, TDMTylwen& store) {
    if (const std::optional<TFileMessage> refusal = WriteInputFile(path, store)) {
        throw std::runtime_error(refusal->Text);
    }
}

void WriteBoth(TDMTylwen& store, const TCalculationResults& result) {
    const std::string path = ChangeFileExt(store.FileName, ".inp");
    WriteInput(path, store);
    store.FileName = path;
    WriteOutputFile(result, store);
}

void PrepareInputFile(std::int64_t dataSets) {
    TDMTylwen store;
    FillStore(store, dataSets);
    WriteInput(InputPath(dataSets), store);
}

void BM_ReadInputFile(benchmark::State& state) {
    PrepareInputFile(state.range(0));
    TDMTylwen store;
    for (auto _ : state) {
        ReadInto(store, InputPath(state.range(0)));
    }
    state.SetComplexityN(state.range(0));
}

void BM_Calculate(benchmark::State& state) {
    PrepareInputFile(state.range(0));
    TDMTylwen store;
    ReadInto(store, InputPath(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculateStore(store));
    }
    state.SetComplexityN(state.range(0));
}

void BM_WriteInputAndOutputFiles(benchmark::State& state) {
    TDMTylwen store;
    FillStore(store, state.range(0));
    store.FileName = InputPath(state.range(0));
    const TCalculationResults result{};
    for (auto _ : state) {
        WriteBoth(store, result);
    }
    state.SetComplexityN(state.range(0));
}

void BM_ReadCalculateWrite(benchmark::State& state) {
    PrepareInputFile(state.range(0));
    TDMTylwen store;
    for (auto _ : state) {
        ReadInto(store, InputPath(state.range(0)));
        WriteBoth(store, CalculateStore(store));
    }
    state.SetComplexityN(state.range(0));
}

void DataSetCounts(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ReadInputFile)->Apply(DataSetCounts);
BENCHMARK(BM_Calculate)->Apply(DataSetCounts);
BENCHMARK(BM_WriteInputAndOutputFiles)->Apply(DataSetCounts);
BENCHMARK(BM_ReadCalculateWrite)->Apply(DataSetCounts);

} // namespace

int main(int argc, char** argv) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "soravik-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return 1;
    }
    BenchFolder() = pattern;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BenchFolder());
    return 0;
}
