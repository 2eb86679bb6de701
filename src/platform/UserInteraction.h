#pragma once
// Every message box, question, file chooser, name prompt and "open this address" goes
// through this interface. The editor installs the Qt implementation; tests install
// ScriptedInteraction, which answers from a queue and records what was asked.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, OkCancel, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

inline constexpr const char* kCaption = "Tavrin";
inline constexpr const char* kUpdateCaption = "Tavrin更新提示";

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // A message box; returns the button pressed (Ok for a plain message).
    virtual Answer message(const std::string& text, const std::string& caption, Icon icon,
                           Buttons buttons) = 0;
    // File choosers: the chosen path (UTF-8), or nullopt when cancelled. filter is in
    // Qt's form, e.g. "主题包 (*.k4p)".
    virtual std::optional<std::string> chooseOpenFile(const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& folder) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& suggestedPath) = 0;
    // The modal name prompt of the pages: the text entered, or nullopt when cancelled.
    virtual std::optional<std::string> promptForName(const std::string& caption,
                                                     const std::string& initial) = 0;
    virtual void openUrl(const std::string& url) = 0;

    // Shorthands with the product's caption.
    void inform(const std::string& text, Icon icon = Icon::Information);
    bool askYesNo(const std::string& text, Icon icon = Icon::Question,
                  const std::string& caption = kCaption);
};

// The installed implementation (a silent one that prints to stderr and answers No /
// Cancel until something else is installed).
UserInteraction& current();
// Installs an implementation (not owned); nullptr restores the silent one.
void install(UserInteraction* impl);

// Test double: answers from queues, records every request.
class ScriptedInteraction : public UserInteraction {
public:
    struct Message {
        std::string text;
        std::string caption;
        Icon icon;
        Buttons buttons;
    };
    std::deque<Answer> answers;                        // next message answers (default: Ok/No)
    std::deque<std::optional<std::string>> files;      // next file chooser answers
    std::deque<std::optional<std::string>> names;      // next name prompt answers
    std::vector<Message> messages;                     // every message shown
    std::vector<std::string> fileRequests;             // titles of file choosers
    std::vector<std::string> namePrompts;              // captions of name prompts
    std::vector<std::string> urls;                     // addresses opened

    Answer message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& filter,
                                              const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& filter,
                                              const std::string& suggestedPath) override;
    std::optional<std::string> promptForName(const std::string& caption,
                                             const std::string& initial) override;
    void openUrl(const std::string& url) override;

    // Texts of the messages shown so far.
    std::vector<std::string> texts() const;
};

// Installs a ScriptedInteraction for the lifetime of the guard.
class ScopedInteraction {
public:
    explicit ScopedInteraction(UserInteraction& impl) { install(&impl); }
    ~ScopedInteraction() { install(nullptr); }
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;
};

}  // namespace ui
