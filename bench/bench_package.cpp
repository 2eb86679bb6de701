// Theme package export and import with 50 MB of pictures, next to Info-ZIP's `zip -r` and
// `unzip` on the same files. Prints the ratios at the end (target: within 1.5x both ways).
// Info-ZIP comes from the Debian packages zip and unzip; without them only our side runs.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "package/ThemePackage.h"
#include "package/Zip.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/FileIo.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

namespace fs = std::filesystem;

namespace {
constexpr int kPictures = 100;
constexpr std::size_t kPictureBytes = 512 * 1024;  // 100 x 512 KB = 50 MB

fs::path root() {
    static fs::path p = fs::temp_directory_path() / "tavrin-bench-package";
    return p;
}
std::string str(const fs::path& p) { return utf8Path(p); }

void writeFile(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Pictures are mostly already-compressed data; one in four is a smooth, compressible bitmap.
std::string picture(int i) {
    std::mt19937 rng(static_cast<unsigned>(i));
    std::string bytes(kPictureBytes, '\0');
    if (i % 4 == 3) {
        for (std::size_t j = 0; j < bytes.size(); ++j) bytes[j] = static_cast<char>((j / 64 + i) & 0xff);
    } else {
        for (auto& b : bytes) b = static_cast<char>(rng());
    }
    return bytes;
}

struct Setup {
    fs::path install;  // a program folder whose only area names the 100 pictures
    fs::path plain;    // the same files as a staged package, for Info-ZIP
    ProfileStore store;
    GlobalConfig config;
    bool infoZip = false;

    Setup() : install(root() / "inst"), plain(root() / "plain"), store(str(install / "desk.ini")) {
        fs::remove_all(root());
        fs::create_directories(install);
        paths::setProgramFolder(str(install));
        ReloadConfiguration(store, config);
        std::string illustrations;
        for (int i = 0; i < kPictures; ++i) {
            const std::string name = "插图" + std::to_string(i) + ".png";
            writeFile(install / fsPath("数据/插图/" + name), picture(i));
            writeFile(plain / fsPath("数据/插图/" + name), picture(i));
            if (!illustrations.empty()) illustrations += '|';
            illustrations += name + "_0_0";
        }
        ArearConfig& area = *config.areas.front();
        area.decal.illustrationsShown = true;
        area.decal.illustrationContent = illustrations;
        SaveEverything(store, config);
        SaveEverything(store, config, str(plain / "k4rtPacket.ini"), 0);
        infoZip = std::system("command -v zip >/dev/null 2>&1 && command -v unzip >/dev/null 2>&1") == 0;
    }
    SaveRequest save() {
        return [this](const std::string& path) { return SaveEverything(store, config, path, 0); };
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

void run(const std::string& cmd) {
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", cmd.c_str());
}

void BM_ExportOurs(benchmark::State& state) {
    Setup& s = setup();
    const std::string out = str(root() / "ours.k4p");
    ui::ScriptedInteraction answers;
    ui::ScopedInteraction scope(answers);
    for (auto _ : state) {
        answers.files.push_back(out);
        if (exportThemePackage(s.save(), true).outcome != ThemeOutcome::Done)
            state.SkipWithError("export failed");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(kPictureBytes));
}

void BM_ExportInfoZip(benchmark::State& state) {
    Setup& s = setup();
    if (!s.infoZip) return state.SkipWithError("zip/unzip not installed");
    const std::string out = str(root() / "infozip.zip");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(out);
        state.ResumeTiming();
        run("cd '" + str(s.plain) + "' && zip -r -q '" + out + "' .");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(kPictureBytes));
}

// Both sides unpack the package our export wrote.
std::string package() {
    static std::string path = [] {
        const std::string p = str(root() / "import.k4p");
        ui::ScriptedInteraction answers;
        ui::ScopedInteraction scope(answers);
        answers.files.push_back(p);
        exportThemePackage(setup().save(), true);
        return p;
    }();
    return path;
}

void BM_ImportOurs(benchmark::State& state) {
    Setup& s = setup();
    const std::string pkg = package();
    ui::ScriptedInteraction answers;
    ui::ScopedInteraction scope(answers);
    for (auto _ : state) {
        answers.answers = {ui::Answer::No, ui::Answer::No};
        answers.files.push_back(pkg);
        if (importThemePackage(s.store, s.config, 0, {}).outcome != ThemeOutcome::Done)
            state.SkipWithError("import failed");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(kPictureBytes));
}

void BM_ImportInfoZip(benchmark::State& state) {
    Setup& s = setup();
    if (!s.infoZip) return state.SkipWithError("zip/unzip not installed");
    const std::string pkg = package();
    const fs::path dst = root() / "unzipped";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(dst);
        state.ResumeTiming();
        run("unzip -q -o '" + pkg + "' -d '" + str(dst) + "'");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(kPictureBytes));
}

BENCHMARK(BM_ExportOurs)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ExportInfoZip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ImportOurs)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ImportInfoZip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// Keeps the real time per benchmark for the ratio lines.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (!r.error_occurred && r.iterations > 0)
                seconds[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto time = [&](const std::string& prefix) {
        for (const auto& [name, t] : reporter.seconds)
            if (name.compare(0, prefix.size(), prefix) == 0 &&
                (name.size() == prefix.size() || name[prefix.size()] == '/'))
                return t;
        return 0.0;
    };
    auto ratio = [&](const char* ours, const char* theirs, const char* what) {
        const double a = time(ours), b = time(theirs);
        if (a <= 0 || b <= 0) return;
        std::printf("%-7s ours / Info-ZIP = %.2f (target <= 1.50)\n", what, a / b);
    };
    ratio("BM_ExportOurs", "BM_ExportInfoZip", "export");
    ratio("BM_ImportOurs", "BM_ImportInfoZip", "import");
    std::error_code ec;
    fs::remove_all(root(), ec);
    return 0;
}
