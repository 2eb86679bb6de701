#pragma once
// The interactive implementation of ui::UserInteraction: message boxes, file choosers, the
// name prompt and the system browser.

#include "platform/UserInteraction.h"

class QtInteraction : public ui::UserInteraction {
  public:
    ui::Answer message(const std::string& text, const std::string& caption, ui::Icon icon,
                       ui::Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& filter,
                                              const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& filter,
                                              const std::string& suggestedPath) override;
    std::optional<std::string> promptForName(const std::string& caption,
                                             const std::string& initial) override;
    void openUrl(const std::string& url) override;
};
