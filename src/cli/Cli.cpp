#include <cstdio>
#include <iostream>

#include "cli/Commands.h"
#include "platform/WindowsProbes.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

namespace {
const char* kUsage =
    "usage: deskcfg [--root DIR] COMMAND\n"
    "  show                                   print the reloaded configuration as JSON\n"
    "  save                                   reload, then rewrite desk.ini in full\n"
    "  area add NAME START END [--from REF]   add an area copied from REF (default: first)\n"
    "  area modify NAME NEWNAME START END     rename an area or change its addresses\n"
    "  area delete NAME                       delete an area\n"
    "  theme export AREA FILE [--quiet]       write AREA as a theme package\n"
    "  theme import AREA FILE                 apply a theme package to AREA\n"
    "  update check                           compare the product files with the update server\n";

void openStore() {
    ProfileStore::instance().setTarget(paths::inProgram(paths::kDeskIni));
}
}  // namespace

int fail(const std::string& message, int status) {
    std::fprintf(stderr, "deskcfg: %s\n", message.c_str());
    return status;
}

int runDeskcfg(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--root") {
        paths::setProgramFolder(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    openStore();
    platform::installWindowsProbes();
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "show") return cmdShow(args);
    if (command == "save") return cmdSave(args);
    if (command == "area") return cmdArea(args);
    if (command == "theme") return cmdTheme(args);
    if (command == "update") return cmdUpdate(args);
    std::fputs(kUsage, stderr);
    return fail("unknown command: " + command, 2);
}

// ------------------------------------------------------------------ show / save

int cmdShow(const Args& args) {
    if (!args.empty()) return fail("show takes no arguments", 2);
    ProfileStore& store = ProfileStore::instance();
    GlobalConfig config;
    Status st = ReloadConfiguration(store, config);
    if (!st) std::fprintf(stderr, "deskcfg: warning: %s\n", st.message.c_str());
    JsonWriter json;
    json.beginObject();
    json.value("weatherCity", config.weatherCity);
    json.value("cafeName", config.cafeName);
    json.value("homePage", config.homePage);
    json.value("defaultFont", config.defaultFont);
    json.value("areasEnabled", config.areasEnabled);
    json.beginArray("areas");
    for (const auto& area : config.areas) {
        json.beginObject();
        json.value("name", area->name);
        json.value("startIp", area->startIp);
        json.value("endIp", area->endIp);
        json.value("note", area->note);
        json.value("configPresent", area->configPresent);
        writeSectionsJson(json, *area);
        json.endObject();
    }
    json.endArray();
    writeListsJson(json);
    json.endObject();
    std::fwrite(json.str().data(), 1, json.str().size(), stdout);
    return 0;
}

int cmdSave(const Args& args) {
    if (!args.empty()) return fail("save takes no arguments", 2);
    ProfileStore& store = ProfileStore::instance();
    GlobalConfig config;
    Status st = ReloadConfiguration(store, config);
    if (!st) return fail(st.message);
    st = SaveEverything(store, config);
    if (!st) return fail(st.message);
    return 0;
}

// ------------------------------------------------------------------ areas

namespace {
int findArea(const GlobalConfig& config, const std::string& name) {
    for (std::size_t i = 0; i < config.areas.size(); ++i)
        if (config.areas[i]->name == name) return static_cast<int>(i);
    return -1;
}

bool validIpv4(const std::string& text) {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t start = i;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3)
            value = value * 10 + (text[i++] - '0');
        if (i == start || value > 255) return false;
        ++parts;
        if (i == text.size()) break;
        if (text[i] != '.') return false;
        ++i;
    }
    return parts == 4;
}
}  // namespace

int cmdArea(const Args& args) {
    if (args.empty()) return fail("area needs add, modify or delete", 2);
    ProfileStore& store = ProfileStore::instance();
    GlobalConfig config;
    Status st = ReloadConfiguration(store, config);
    if (!st) return fail(st.message);
    const std::string& op = args[0];
    if (op == "add") {
        if (args.size() != 4 && !(args.size() == 6 && args[4] == "--from"))
            return fail("usage: area add NAME START END [--from REFERENCE]", 2);
        if (!validIpv4(args[2]) || !validIpv4(args[3]))
            return fail("IP 地址格式不正确（应为 a.b.c.d）", 2);
        int ref = 0;
        if (args.size() == 6) {
            ref = findArea(config, args[5]);
            if (ref < 0) return fail("参考分区不存在：" + args[5]);
        }
        st = AddArea(store, config, args[1], args[2], args[3], ref);
        if (!st) return fail(st.message);
        st = ReloadConfiguration(store, config);
    } else if (op == "modify") {
        if (args.size() != 5) return fail("usage: area modify NAME NEWNAME START END", 2);
        if (!validIpv4(args[3]) || !validIpv4(args[4]))
            return fail("IP 地址格式不正确（应为 a.b.c.d）", 2);
        int index = findArea(config, args[1]);
        if (index < 0) return fail("分区不存在：" + args[1]);
        st = ModifyArea(store, config, index, args[2], args[3], args[4]);
        if (!st) return fail(st.message);
        st = SaveEverything(store, config);
        if (!st) return fail(st.message);
        st = ReloadConfiguration(store, config);
    } else if (op == "delete") {
        if (args.size() != 2) return fail("usage: area delete NAME", 2);
        int index = findArea(config, args[1]);
        if (index < 0) return fail("分区不存在：" + args[1]);
        st = DeleteArea(store, config, index);
    } else {
        return fail("unknown area command: " + op, 2);
    }
    if (!st) return fail(st.message);
    return 0;
}
