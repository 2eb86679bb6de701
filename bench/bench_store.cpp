// Reload and full save of generated desk.ini files (10, 100 and 1,000 areas, every section
// written, 20 weather and 20 notice templates), against plainly reading and writing the same
// number of bytes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "store/Configuration.h"
#include "store/FileIo.h"
#include "store/ProfileStore.h"
#include "store/TemplateStore.h"

namespace fs = std::filesystem;

namespace {

fs::path benchFolder() {
    static fs::path p = [] {
        fs::path f = fs::temp_directory_path() / "tavrin-bench-store";
        fs::create_directories(f);
        return f;
    }();
    return p;
}

std::string makeFile(int areas) {
    std::string path = (benchFolder() / ("desk-" + std::to_string(areas) + ".ini")).string();
    ProfileStore store(path);
    GlobalConfig config;
    config.weatherCity = "北京市";
    config.cafeName = "星空网吧";
    config.defaultFont = "微软雅黑";
    config.areasEnabled = true;
    for (int i = 0; i < areas; ++i) {
        auto a = std::make_unique<ArearConfig>();
        a->name = "区域" + std::to_string(i);
        a->startIp = "10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250);
        a->endIp = a->startIp;
        config.areas.push_back(std::move(a));
    }
    for (int i = 0; i < 20; ++i) {
        store.weatherTemplates.push_back(makeDefaultWeatherTemplate());
        store.noticeTemplates.push_back(makeDefaultNoticeTemplate());
    }
    Status st = SaveEverything(store, config);
    if (!st) {
        std::fprintf(stderr, "bench: %s\n", st.message.c_str());
        std::exit(1);
    }
    return path;
}

void plainRead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    std::string data(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    benchmark::DoNotOptimize(data);
}

void plainWrite(const std::string& path, const std::string& bytes, bool sync) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) < 0) std::abort();
    if (sync) ::fsync(fd);
    ::close(fd);
}

void BM_Reload(benchmark::State& state) {
    std::string path = makeFile(static_cast<int>(state.range(0)));
    ProfileStore store(path);
    for (auto _ : state) {
        GlobalConfig config;
        ReloadConfiguration(store, config);
        benchmark::DoNotOptimize(config.areas.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(fs::file_size(path)));
}

void BM_FullSave(benchmark::State& state) {
    std::string path = makeFile(static_cast<int>(state.range(0)));
    ProfileStore store(path);
    GlobalConfig config;
    ReloadConfiguration(store, config);
    for (auto _ : state) SaveEverything(store, config);
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(fs::file_size(path)));
}

void BM_PlainRead(benchmark::State& state) {
    std::string path = makeFile(static_cast<int>(state.range(0)));
    for (auto _ : state) plainRead(path);
}

void BM_PlainWrite(benchmark::State& state) {
    std::string path = makeFile(static_cast<int>(state.range(0)));
    std::string bytes = readFileBytes(path).value_or("");
    std::string out = path + ".plain";
    for (auto _ : state) plainWrite(out, bytes, true);
}

BENCHMARK(BM_Reload)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullSave)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Median seconds of fn over enough runs to take about a fifth of a second.
double medianSeconds(const std::function<void()>& fn) {
    std::vector<double> samples;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    do {
        auto t0 = std::chrono::steady_clock::now();
        fn();
        samples.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    } while (samples.size() < 5 || (std::chrono::steady_clock::now() < until && samples.size() < 200));
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void summary() {
    std::printf("\n%-6s %10s %11s %11s %9s %11s %11s %11s %9s %7s\n", "areas", "bytes", "reload ms",
                "read ms", "ratio", "save ms", "write ms", "(no sync)", "ratio", "writes");
    double reload100 = 0, save100 = 0;
    for (int n : {10, 100, 1000}) {
        std::string path = makeFile(n);
        std::string bytes = readFileBytes(path).value_or("");
        ProfileStore store(path);
        double reload = medianSeconds([&] {
            GlobalConfig c;
            ReloadConfiguration(store, c);
        });
        double read = medianSeconds([&] { plainRead(path); });
        GlobalConfig config;
        ReloadConfiguration(store, config);
        auto w0 = atomicWriteCount();
        SaveEverything(store, config);
        auto writes = atomicWriteCount() - w0;
        double save = medianSeconds([&] { SaveEverything(store, config); });
        double write = medianSeconds([&] { plainWrite(path + ".plain", bytes, true); });
        double writeNoSync = medianSeconds([&] { plainWrite(path + ".plain", bytes, false); });
        std::printf("%-6d %10zu %11.3f %11.3f %8.1fx %11.3f %11.3f %11.3f %8.1fx %7llu\n", n,
                    bytes.size(), reload * 1e3, read * 1e3, reload / read, save * 1e3, write * 1e3,
                    writeNoSync * 1e3, save / write, static_cast<unsigned long long>(writes));
        if (n == 100) {
            reload100 = reload;
            save100 = save;
        }
        if (n == 1000)
            std::printf("1,000 areas vs 100: reload %.1fx, full save %.1fx (linear: about 10x)\n",
                        reload / reload100, save / save100);
    }
    std::printf("targets: reload within 10x of reading, full save within 10x of writing (with "
                "fsync, as the save does), one write per full save, 1,000 areas within 12x of 100\n");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    summary();
    fs::remove_all(benchFolder());
    return 0;
}
