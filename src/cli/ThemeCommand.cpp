// deskcfg theme export|import: the same code as the two buttons of the global settings
// page; the answers the dialogs would give come from the arguments.

#include <cstdio>

#include "cli/Commands.h"
#include "package/ThemePackage.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
int areaIndex(const GlobalConfig& config, const std::string& name) {
    for (std::size_t i = 0; i < config.areas.size(); ++i)
        if (config.areas[i]->name == name) return static_cast<int>(i);
    return -1;
}

int themeExport(const Args& args) {
    const bool quiet = args.size() == 4 && args[3] == "--quiet";
    if (args.size() != 3 && !quiet) return fail("usage: theme export AREA FILE [--quiet]", 2);
    ProfileStore& store = ProfileStore::instance();
    GlobalConfig config;
    if (Status st = ReloadConfiguration(store, config); !st) return fail(st.message);
    const int index = areaIndex(config, args[1]);
    if (index < 0) return fail("分区不存在：" + args[1]);

    ui::ScriptedInteraction answers;
    answers.files.push_back(args[2]);
    ui::ScopedInteraction scope(answers);
    SaveRequest save = [&](const std::string& descriptor) {
        return SaveEverything(store, config, descriptor, index);
    };
    ThemeResult result = exportThemePackage(save, quiet);
    if (result.outcome != ThemeOutcome::Done)
        return fail(std::string(theme::kExportFailed) + " " + result.message);
    for (const auto& text : answers.texts()) std::printf("%s\n", text.c_str());
    if (!quiet) std::printf("%s\n", result.packagePath.c_str());
    return 0;
}

int themeImport(const Args& args) {
    if (args.size() != 3) return fail("usage: theme import AREA FILE", 2);
    ProfileStore& store = ProfileStore::instance();
    GlobalConfig config;
    if (Status st = ReloadConfiguration(store, config); !st) return fail(st.message);
    const int index = areaIndex(config, args[1]);
    if (index < 0) return fail("分区不存在：" + args[1]);

    ui::ScriptedInteraction answers;
    answers.answers = {ui::Answer::No, ui::Answer::No};  // no export first, no preview
    answers.files.push_back(args[2]);
    ui::ScopedInteraction scope(answers);
    ThemeResult result = importThemePackage(store, config, index, {});
    if (result.outcome != ThemeOutcome::Done)
        return fail(std::string(theme::kImportFailed) + " " + result.message);
    std::printf("主题已导入分区“%s”。\n", args[1].c_str());
    return 0;
}
}  // namespace

int cmdTheme(const Args& args) {
    if (!args.empty() && args[0] == "export") return themeExport(args);
    if (!args.empty() && args[0] == "import") return themeImport(args);
    return fail("usage: theme export AREA FILE [--quiet] | theme import AREA FILE", 2);
}
