#include <cstdio>

#include "cli/Commands.h"
#include "net/UpdateCheck.h"
#include "store/ProgramPaths.h"

// deskcfg update check: download and compare without questions. Prints one line per
// outdated file ("name<TAB>address"); exit 0 when current, 10 when an update is
// available, 1 on failure.
int cmdUpdate(const Args& args) {
    if (args.size() != 1 || args[0] != "check") return fail("usage: update check", 2);
    const update::CheckResult result = update::DownloadAndCompare(paths::programFolder());
    using Outcome = update::CheckResult::Outcome;
    switch (result.outcome) {
        case Outcome::NetworkError:
            return fail(std::string(update::kNetworkError) + " " + result.detail);
        case Outcome::DescriptorUnwritable:
            return fail("无法保存更新描述文件：" + result.detail);
        case Outcome::Current:
            std::fprintf(stderr, "deskcfg: 已是最新版本\n");
            return 0;
        case Outcome::Outdated:
            for (const auto& file : result.outdated)
                std::printf("%s\t%s\n", file.name.c_str(), file.url.c_str());
            return 10;
    }
    return 1;
}
