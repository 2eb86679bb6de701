#include "platform/UserInteraction.h"

#include <cstdio>

namespace ui {
namespace {

class SilentInteraction : public UserInteraction {
public:
    Answer message(const std::string& text, const std::string& caption, Icon,
                   Buttons buttons) override {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return buttons == Buttons::Ok ? Answer::Ok
               : buttons == Buttons::OkCancel ? Answer::Cancel
                                              : Answer::No;
    }
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> promptForName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void openUrl(const std::string& url) override { std::fprintf(stderr, "open %s\n", url.c_str()); }
};

SilentInteraction g_silent;
UserInteraction* g_current = &g_silent;

}  // namespace

void UserInteraction::inform(const std::string& text, Icon icon) {
    message(text, kCaption, icon, Buttons::Ok);
}

bool UserInteraction::askYesNo(const std::string& text, Icon icon, const std::string& caption) {
    return message(text, caption, icon, Buttons::YesNo) == Answer::Yes;
}

UserInteraction& current() { return *g_current; }

void install(UserInteraction* impl) { g_current = impl ? impl : &g_silent; }

Answer ScriptedInteraction::message(const std::string& text, const std::string& caption,
                                    Icon icon, Buttons buttons) {
    messages.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::Ok ? Answer::Ok
           : buttons == Buttons::OkCancel ? Answer::Cancel
                                          : Answer::No;
}

namespace {
// Records the request and hands out the next scripted answer (cancel when none is left).
std::optional<std::string> next(std::vector<std::string>& log, const std::string& request,
                                std::deque<std::optional<std::string>>& queue) {
    log.push_back(request);
    if (queue.empty()) return std::nullopt;
    auto answer = queue.front();
    queue.pop_front();
    return answer;
}
}  // namespace

std::optional<std::string> ScriptedInteraction::chooseOpenFile(const std::string& title,
                                                               const std::string&,
                                                               const std::string&) {
    return next(fileRequests, title, files);
}

std::optional<std::string> ScriptedInteraction::chooseSaveFile(const std::string& title,
                                                               const std::string&,
                                                               const std::string&) {
    return next(fileRequests, title, files);
}

std::optional<std::string> ScriptedInteraction::promptForName(const std::string& caption,
                                                              const std::string&) {
    return next(namePrompts, caption, names);
}

void ScriptedInteraction::openUrl(const std::string& url) { urls.push_back(url); }

std::vector<std::string> ScriptedInteraction::texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}

}  // namespace ui
